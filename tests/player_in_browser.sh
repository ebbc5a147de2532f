#!/usr/bin/env bash
# Plays sort_trace's page in headless Chromium, once shown at its end (#end)
# and once played through at its default speed (#play), and checks that every counter
# on the page equals the library's count for the same input. Then drives a
# page of extreme values with keys and sound on (probe.js), and checks the
# tones it scheduled, the steps the keys reached, the bars drawn by rank, the
# counters at the end, and a page loaded again with a first difference and
# formula counts.
#
#   player_in_browser.sh SORT_TRACE WORK_DIR
set -euo pipefail

sort_trace=$1
work=$2
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work"
mkdir -p "$work"

# The DOM of page $1 with fragment $2, once its scripts have run, in $3; the
# browser and its profile are gone when it returns.
dump() {
    node "$here/support/browser.mjs" dump-dom "file://$1#$2" "$3" --autoplay-policy=no-user-gesture-required --virtual-time-budget=600000
}

# The library's counts in $1 (sort_trace's JSON), "algorithm-comparisons N"
# and "algorithm-swaps N".
counts() {
    grep -o '"algorithm": "[a-z0-9]*", "comparisons": [0-9]*, "swaps": [0-9]*' "$1" |
        sed -E 's/"algorithm": "([a-z0-9]*)", "comparisons": ([0-9]*), "swaps": ([0-9]*)/\1-comparisons \2\n\1-swaps \3/'
}

fail() {
    echo "$1" >&2
    exit 1
}

"$sort_trace" --size 1000 --seed 5 --html "$work/page.html"
"$sort_trace" --size 1000 --seed 5 --json >"$work/trace.json"
counts "$work/trace.json" >"$work/expected"
test "$(wc -l <"$work/expected")" -eq 6

# The counters of page $1 shown at fragment $2, "id N" a line, in $3.
counters() {
    dump "$1" "$2" "$3.html"
    grep -oE 'id="[a-z0-9]+-(comparisons|swaps)">[0-9]*' "$3.html" | sed -E 's/id="(.*)">/\1 /' >"$3"
}

for hash in end play; do
    counters "$work/page.html" "$hash" "$work/$hash.counters"
    diff "$work/expected" "$work/$hash.counters" ||
        fail "the page's counters at #$hash differ from the library's counts"
done

# The textbook's sorts, named, beside one of the three, at their end.
named=(-a quick -a bubble -a shell -a heap -a quick3)
"$sort_trace" --size 300 --seed 5 "${named[@]}" --html "$work/named.html"
"$sort_trace" --size 300 --seed 5 "${named[@]}" --json >"$work/named.json"
counts "$work/named.json" >"$work/named.expected"
test "$(wc -l <"$work/named.expected")" -eq 10
counters "$work/named.html" end "$work/named.counters"
diff "$work/named.expected" "$work/named.counters" ||
    fail "the counters of the named sorts' page differ from the library's counts"

# Extreme values, with the probe run after the page's own scripts.
values=(-- -2147483648 -1 0 2000000000 7 -20 3 5)
"$sort_trace" --html "$work/extremes.html" "${values[@]}"
"$sort_trace" --json "${values[@]}" >"$work/extremes.json"
page=$(<"$work/extremes.html")
{
    printf '%s<script>\n' "${page%</body>*}"
    cat "$here/player_probe.js"
    printf '</script>\n</body>\n</html>\n'
} >"$work/probe.html"
dump "$work/probe.html" "" "$work/probe.dom"
sed -n '/<pre id="probe">/,/<\/pre>/p' "$work/probe.dom" | sed -E 's/<[^>]*>//g' >"$work/probe.txt"
grep -q '^probe done$' "$work/probe.txt" || fail "the probe did not finish: $(cat "$work/probe.txt")"
line() { sed -n "s/^$1 //p" "$work/probe.txt"; }

# Ten steps with sound on: one tone a step for each sort still making calls.
stepped=10
tones=0
for calls in $(counts "$work/extremes.json" | awk '{ n[NR % 2] = $2; if (NR % 2 == 0) print n[1] + n[0] }'); do
    tones=$((tones + (calls < stepped ? calls : stepped)))
done
[ "$(line tones)" = "$tones" ] || fail "tones after $stepped steps: $(line tones), not $tones"
[ "$(line keys)" = "10 8 9 $(line last) 0" ] || fail "steps after the keys: $(line keys)"
[ "$(line silent)" = "$tones" ] || fail "a tone with the sound off, or on a step back: $(line silent)"
[ "$(line space)" = "Pause Play" ] || fail "space did not play and pause: $(line space)"
counts "$work/extremes.json" | diff - <(line counter | tr ';' '\n') ||
    fail "the counters at the end differ from the library's counts"

# At the end the bars of each sort stand in order of rank, the lowest still
# seen, with no call marked.
for heights in $(line heights); do
    echo "$heights" | tr ',' '\n' | awk 'NR == 1 && $1 < 2 { exit 1 } NR > 1 && $1 <= last { exit 1 }
                                       { last = $1 }' || fail "bars not drawn by rank: $heights"
done
[ "$(line marked)" = "yes no" ] || fail "the call marked during and after the run: $(line marked)"

# A page loaded again, with a first difference and formula counts.
[ "$(line difference)" = "2|1|call 2: swap(a, 0, 1)" ] || fail "the first difference: $(line difference)"
[ "$(line formulas)" = " = c ✓| ≠ s = 2 ✗ a fault of the sort|expected fault" ] ||
    fail "the formula counts: $(line formulas)"
[ "$(line fragment)" = "2 1" ] || fail "the fragment's parts: $(line fragment)"
echo "the pages' counters equal the library's counts; keys, sound, ranks and a second load work"
