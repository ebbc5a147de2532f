#!/usr/bin/env bash
# Plays sort_trace's page in headless Chromium, once shown at its end (#end)
# and once played through at top speed (#play), and checks that every counter
# on the page equals the library's count for the same input.
#
#   player_in_browser.sh SORT_TRACE WORK_DIR
set -euo pipefail

sort_trace=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
"$sort_trace" --size 1000 --seed 5 --html "$work/page.html"
"$sort_trace" --size 1000 --seed 5 --json >"$work/trace.json"

# The library's counts, "algorithm-comparisons N" and "algorithm-swaps N".
grep -o '"algorithm": "[a-z]*", "comparisons": [0-9]*, "swaps": [0-9]*' "$work/trace.json" |
    sed -E 's/"algorithm": "([a-z]*)", "comparisons": ([0-9]*), "swaps": ([0-9]*)/\1-comparisons \2\n\1-swaps \3/' \
        >"$work/expected"
test "$(wc -l <"$work/expected")" -eq 6

for hash in end play; do
    profile=$(mktemp -d)
    chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$profile" --virtual-time-budget=600000 \
        --dump-dom "file://$work/page.html#$hash" 2>/dev/null >"$work/$hash.html"
    rm -rf "$profile"
    grep -oE 'id="[a-z]+-(comparisons|swaps)">[0-9]*' "$work/$hash.html" | sed -E 's/id="(.*)">/\1 /' \
        >"$work/$hash.counters"
    if ! diff "$work/expected" "$work/$hash.counters"; then
        echo "the page's counters at #$hash differ from the library's counts" >&2
        exit 1
    fi
done
echo "the page's counters equal the library's counts, at #end and played through"
