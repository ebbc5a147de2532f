#!/usr/bin/env bash
# adtlab-check's page of a learner's sorts, opened in headless Chromium.
# For each faulty sort the page opens at the call the text report names,
# each panel marks the call the report gives for it, the learner's counters
# are the report's counts before that call and the library's are sort_trace's
# for the same calls; a sort that loops or crashes shows every call it made
# and how it ended; a conforming module's page names no difference and its
# counters agree at #end; the failing input is named whole, and opened at a
# first difference the controls are in view above it. Then the refusals of
# --html.
#
#   check_page_in_browser.sh ADTLAB_CHECK SORT_TRACE MODULES_DIR WORK_DIR
set -euo pipefail

check=$1
sort_trace=$2
modules=$3
work=$4
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"

fail() {
    echo "$1" >&2
    exit 1
}

# The DOM of page $1 with fragment $2, once its scripts have run, in $3; the
# browser and its profile are gone when it returns.
dump() {
    node "$here/support/browser.mjs" dump-dom "file://$1#$2" "$3" --virtual-time-budget=600000
}

# The text of the element with id $2 (or of those with class $2) in $1.
unescape() { sed 's/^[^>]*>//; s/&gt;/>/g; s/&lt;/</g; s/&amp;/\&/g'; }
text_of() { grep -o "id=\"$2\"[^>]*>[^<]*" "$1" | unescape; }
class_text() { grep -o "class=\"$2\">[^<]*" "$1" | unescape; }

# The values of group $2 in page $1, one line, space-separated.
page_input() {
    grep -o "\"name\": \"$2\", \"input\": \[[^]]*\]" "$1" | sed -E 's/.*\[(.*)\]/\1/; s/,//g'
}

# How many calls the panel $2 of page $1 holds: four bytes each, in base64.
page_calls() {
    grep -o "\"id\": \"$2\", [^}]*\"events\": \"[^\"]*\"" "$1" |
        sed -E 's/.*"events": "([^"]*)"/\1/' | tr -d '\n' >"$work/events"
    local length padding
    length=$(wc -c <"$work/events")
    padding=$(tr -cd = <"$work/events" | wc -c)
    echo $(((length * 3 / 4 - padding) / 4))
}

# "C S": the comparisons and swaps among the library's first $3 calls of
# sort $1 on the values $2.
library_counts() {
    # shellcheck disable=SC2086 # the values are words
    "$sort_trace" --json --algorithm "$1" -- $2 | grep -o '\["[cs]"' | head -n "$3" |
        awk '/c/ { c++ } /s/ { s++ } END { print c + 0, s + 0 }'
}

# "C S" of a report's "(2 comparisons and 1 swap before it)".
report_counts() {
    sed -E 's/.*\(([0-9]+) comparisons? and ([0-9]+) swaps? before it\).*/\1 \2/' <<<"$1"
}

# A faulty sort $2 of module $1: the page against the text report.
faulty() {
    local module=$1 sort=$2 out=$work/$1
    "$check" --seed 1 --time-limit 60 --html "$out.html" sorts "$modules/$module.c" >"$out.txt" &&
        fail "$module: status 0"
    local line n expected got
    line=$(grep -m1 -E '^  call [0-9]+: expected ' "$out.txt") || fail "$module: no call named"
    n=$(sed -E 's/^  call ([0-9]+):.*/\1/' <<<"$line")
    expected=$(sed -E 's/^  call [0-9]+: expected (.*); got .*/\1/' <<<"$line")
    got=$(sed -E 's/.*; got (.*) \([0-9]+ comparisons? .*/\1/' <<<"$line")
    if [ "$got" = "no more calls" ]; then got=""; else got="call $n: $got"; fi
    dump "$out.html" "" "$out.dom"
    [ "$(text_of "$out.dom" "$sort-first-difference")" = "$n" ] ||
        fail "$module: first difference $(text_of "$out.dom" "$sort-first-difference"), not $n"
    [[ "$(text_of "$out.dom" step)" == "step $((n - 1)) of "* ]] ||
        fail "$module: opened at $(text_of "$out.dom" step), not before call $n"
    [ "$(text_of "$out.dom" "library-$sort-call")" = "call $n: $expected" ] ||
        fail "$module: the library's panel marks $(text_of "$out.dom" "library-$sort-call")"
    [ "$(text_of "$out.dom" "yours-$sort-call")" = "$got" ] ||
        fail "$module: the learner's panel marks $(text_of "$out.dom" "yours-$sort-call")"
    # The library's panel tells its sort's state there; the learner's cannot.
    if [ -z "$(text_of "$out.dom" "library-$sort-state")" ] || [ -n "$(text_of "$out.dom" "yours-$sort-state")" ]; then
        fail "$module: the state '$(text_of "$out.dom" "library-$sort-state")'"
    fi
    local yours library input shown
    yours="$(text_of "$out.dom" "yours-$sort-comparisons") $(text_of "$out.dom" "yours-$sort-swaps")"
    [ "$yours" = "$(report_counts "$line")" ] || fail "$module: the learner's counters $yours"
    input=$(page_input "$out.html" "$sort")
    shown=$(grep -m1 -E '^  on \(' "$out.txt" | sed -E 's/^  on \(([0-9]+) values?\) ?//; s/ \.\.\.$//')
    [[ "$input " == "$shown "* ]] || fail "$module: the page's input $input, the report's $shown"
    # The page names the input whole, where the text report cuts it at 12 values.
    local count sentence values
    count=$(wc -w <<<"$input")
    sentence=$(grep -o "id=\"$sort-first-difference\">[0-9]*</span>: [^<]*" "$out.dom" | unescape)
    [ "$count" = 1 ] && values="1 value" || values="$count values"
    [[ "$sentence" == *"on ($values) $input; call $n: "* ]] ||
        fail "$module: the page's sentence '$sentence' does not name its input ($values) $input"
    library="$(text_of "$out.dom" "library-$sort-comparisons") $(text_of "$out.dom" "library-$sort-swaps")"
    [ "$library" = "$(library_counts "$sort" "$input" $((n - 1)))" ] ||
        fail "$module: the library's counters $library"
}

faulty selection_skips_self_swap selection
faulty insertion_passes_equal insertion
faulty quick_last_pivot quick
faulty quick_skips_equal_pivot quick
[ "$(wc -w <<<"$(page_input "$work/quick_skips_equal_pivot.html" quick)")" -gt 12 ] ||
    fail "quick_skips_equal_pivot: no input of more than 12 values to show whole"
# Opened at that sort's first difference, the controls are in view above it.
node "$here/check_page_anchor.mjs" "$work/quick_skips_equal_pivot.html" quick-first-difference ||
    fail "quick_skips_equal_pivot: #quick-first-difference hides the controls or is under them"

# A sort that runs past the time limit, and one that crashes: every call
# it made, and how it ended, as the report says.
stopped() {
    local module=$1 sort=$2 out=$work/$1
    "$check" --seed 1 --time-limit 1 --html "$out.html" sorts "$modules/$module.c" >"$out.txt" &&
        fail "$module: status 0"
    dump "$out.html" end "$out.dom"
    local calls ended
    calls=$(page_calls "$out.html" "yours-$sort")
    [ "$calls" -ge "$3" ] || fail "$module: $calls calls on the page"
    [ "$(($(text_of "$out.dom" "yours-$sort-comparisons") + $(text_of "$out.dom" "yours-$sort-swaps")))" = "$calls" ] ||
        fail "$module: the learner's counters at the end do not count its $calls calls"
    [ "$(class_text "$out.dom" "done" | head -1)" = "ended after $calls calls" ] ||
        fail "$module: $(class_text "$out.dom" "done" | head -1)"
    # How it ended, as the report says. A fast machine makes more calls within
    # the time limit than a page keeps; the page then says how many it kept.
    ended=$(class_text "$out.dom" ended)
    local kept='^(.*); the page keeps its first ([0-9]+) calls$'
    if [[ "$ended" =~ $kept ]]; then
        [ "${BASH_REMATCH[2]}" = "$calls" ] || fail "$module: '$ended' on a page of $calls calls"
        ended=${BASH_REMATCH[1]}
    fi
    grep -qF "it $ended on" "$out.txt" || fail "$module: ended '$ended', the report: $(cat "$out.txt")"
}
stopped quick_loops quick 1000
stopped insertion_crashes insertion 0

# A conforming module: no difference, and the same counts as the library's.
out=$work/conforming
"$check" --seed 1 --time-limit 60 --html "$out.html" sorts "$modules/left_first_sorts.c" >"$out.txt" ||
    fail "left_first_sorts: status $?"
dump "$out.html" end "$out.dom"
for sort in selection insertion quick; do
    grep -q "id=\"$sort-first-difference\"></span>" "$out.dom" ||
        fail "$sort: a first difference on a conforming module's page"
    input=$(page_input "$out.html" "$sort")
    [ "$(wc -w <<<"$input")" = 10 ] || fail "$sort: not the input of 10 values: $input"
    library=$(library_counts "$sort" "$input" 1000000)
    for panel in yours library; do
        counts="$(text_of "$out.dom" "$panel-$sort-comparisons") $(text_of "$out.dom" "$panel-$sort-swaps")"
        [ "$counts" = "$library" ] || fail "$panel-$sort: counters $counts, the library's $library"
    done
done

# --html plays sorts only, of one submission; it writes no page otherwise.
refused() {
    local status=0
    "$check" --html "$work/refused.html" "$@" >/dev/null 2>"$work/refused.err" || status=$?
    if [ "$status" != 2 ] || [ "$(wc -l <"$work/refused.err")" != 1 ] || [ -e "$work/refused.html" ]; then
        fail "--html $*: status $status, $(cat "$work/refused.err")"
    fi
}
refused queue "$modules/queue_at_front.c"
mkdir -p "$work/one" "$work/two"
cp "$modules/left_first_sorts.c" "$work/one"
cp "$modules/quick_last_pivot.c" "$work/two"
refused sorts "$work/one" "$work/two"
echo "each page opens at the report's call with the counts before it; stopped and conforming sorts as run"
