#!/usr/bin/env bash
# adtlab-gradescope-bundle: its argument errors, the zip it writes, and the
# results.json that the zip's run_autograder writes, with this build's
# checker, for a submission that conforms, one that does not, and one that
# the checker cannot check; and a zip of other sorts than the three, which
# its run_autograder checks.
#
#   gradescope_bundle.sh BUNDLE CHECKER TESTS_DIR NODE
set -euo pipefail
bundle=$1
checker=$2
tests=$3
node=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod o+x "$work" # for the checker's user 65534
failures=0
fault() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Each argument error is one line that names it, status 2, and no zip.
while IFS='|' read -r arguments expected; do
    read -r -a words <<<"${arguments//WORK/$work}"
    status=0
    "$bundle" "${words[@]}" 2>"$work/errors" || status=$?
    line=$(head -n 1 "$work/errors")
    if [ $status -ne 2 ] || [ "$(wc -l <"$work/errors")" -ne 1 ] ||
        [[ $line != "adtlab-gradescope-bundle: "*"${expected//WORK/$work}"* ]] || [ -e "$work/bad.zip" ]; then
        fault "$arguments: status $status, '$(cat "$work/errors")'"
    fi
done <<'CASES'
--kind heap --points 3 -o WORK/bad.zip|unknown kind 'heap'
--kind sorts --points 3 --time-limit 0 -o WORK/bad.zip|time limit '0'
--kind sorts --points 0 -o WORK/bad.zip|points '0'
--kind sorts --points 3x -o WORK/bad.zip|points '3x'
--kind sorts -o WORK/bad.zip|--points
--kind sorts --points 3|-o
--kind sorts --points 3 --speed 2 -o WORK/bad.zip|unknown argument '--speed'
--kind sorts --points 3 -o WORK/none/bad.zip|cannot write WORK/none/bad.zip
--kind sorts --sorts heap,heep --points 3 -o WORK/bad.zip|unknown sort 'heep' in --sorts
--kind queue --sorts heap --points 3 -o WORK/bad.zip|--sorts chooses the sorts to check; queue
CASES

"$bundle" --kind sorts --points 4.5 --time-limit 10 -o "$work/autograder.zip"
"$bundle" --kind sorts --sorts quick3,heap --points 3 --time-limit 10 -o "$work/textbook.zip"
mkdir "$work/zip" "$work/textbook"
(cd "$work/zip" && cmake -E tar xf ../autograder.zip)
(cd "$work/textbook" && cmake -E tar xf ../textbook.zip)
for script in setup.sh run_autograder; do
    [ -x "$work/zip/$script" ] || fault "the zip holds no executable $script"
done
for file in CMakeLists.txt adtlab_check/main.cpp gradescope_bundle/run_autograder; do
    [ -f "$work/zip/source/$file" ] || fault "the zip holds no source/$file"
done
[ ! -e "$work/zip/source/build" ] || fault "the zip holds the build tree"

# Each submission, the score, max_score and tests that results.json gives,
# and a word of its output.
submit() {
    case $1 in
    conforms) cp "$tests/check_modules/left_first_sorts.c" "$2/" ;;
    heap_quick3) cp "$tests/check_modules/heap_quick3_left_first.c" "$2/" ;;
    quick_fails) # the sorts that conform, but for this quick sort
        sed 's/^void quick_sort(/void left_first_quick_sort(/' \
            "$tests/check_modules/left_first_sorts.c" >"$2/sorts.c"
        cp "$tests/check_modules/quick_last_pivot.c" "$2/"
        ;;
    esac
}
while IFS='|' read -r zip submission expected word; do
    root=$work/root-$zip-$submission
    mkdir -p "$root/results"
    if [ "$submission" != absent ]; then
        mkdir "$root/submission"
        submit "$submission" "$root/submission"
    fi
    ADTLAB_AUTOGRADER_ROOT=$root ADTLAB_CHECK=$checker "$work/$zip/run_autograder" 2>/dev/null ||
        fault "$submission: run_autograder failed"
    # shellcheck disable=SC2016 # JavaScript, not the shell, expands these
    got=$("$node" -e '
        const r = JSON.parse(require("fs").readFileSync(process.argv[1], "utf8"));
        const tests = r.tests.map((t) => `${t.name}=${t.score}/${t.max_score}`).join(",");
        console.log(`${r.score} ${r.max_score} ${tests}`, r.output.includes(process.argv[2]));
    ' "$root/results/results.json" "$word" 2>&1) || true
    [ "$got" = "$expected true" ] || fault "$submission: results.json gives '$got', not '$expected true'"
done <<'CASES'
zip|conforms|4.5 4.5 selection_sort=1.5/1.5,insertion_sort=1.5/1.5,quick_sort=1.5/1.5|seed:
zip|quick_fails|3 4.5 selection_sort=1.5/1.5,insertion_sort=1.5/1.5,quick_sort=0/1.5|seed:
zip|absent|0 4.5 |no such file or folder
textbook|heap_quick3|3 3 heap_sort=1.5/1.5,quick3_sort=1.5/1.5|seed:
textbook|conforms|0 3 heap_sort=0/1.5,quick3_sort=0/1.5|seed:
CASES
[ $failures -eq 0 ]
