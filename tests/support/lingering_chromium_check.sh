#!/usr/bin/env bash
# The browser tests' Chromium fixture does outlive the browser: after it has
# ended, its process group still writes into the profile, until the group is
# killed.
#   lingering_chromium_check.sh WORK_DIR
set -euo pipefail
work=$1
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work/profile"

fail() {
    echo "$1" >&2
    exit 1
}
# Waits up to a minute for the command $@ to succeed.
wait_until() {
    local deadline=$((SECONDS + 60))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

setsid "$here/lingering_chromium/chromium" --headless --user-data-dir="$work/profile" --version \
    >/dev/null &
group=$!
trap 'kill -KILL -- -"$group" 2>/dev/null || true' EXIT
wait "$group" || fail "the fixture's chromium failed"
wait_until test -e "$work/profile/Default/late/3" ||
    fail "nothing of the group wrote into the profile after the browser ended"
kill -KILL -- -"$group"
# No process of the group but zombies, which their parent reaps.
group_gone() { ps -eo pgid=,stat= | awk -v g="$group" '$1 == g && $2 !~ /^Z/ { exit 1 }'; }
wait_until group_gone || fail "the group outlived a kill"
echo "the fixture's group wrote into the profile after the browser ended"
