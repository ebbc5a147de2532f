#!/usr/bin/env bash
# What counting through ordtally costs, in instructions: callgrind counts each
# sort of random input by the library and by its inline copy (one sort per
# run, only the sort collected), for a driver linked plainly and one linked
# with -flto against the install of a plain Release build. Instruction counts
# repeat exactly, unlike times on a shared machine.
#
#   scripts/count_instructions.sh [WORK_DIR [CMAKE_OPTION...]]
#
# CMAKE_OPTIONs go to the Release configure, -DADTLAB_IPO=OFF for instance.
# CXX may carry options, as CXX='g++ -m32' with -DCMAKE_C_FLAGS=-m32
# -DCMAKE_CXX_FLAGS=-m32. Every sort of the table is measured, at the size
# the driver gives it. Prints a table; exits 1 when a ratio is above the
# target of 1.06.
set -euo pipefail
cd "$(dirname "$0")/.."

work=${1:-build/instructions}
shift $(($# > 0 ? 1 : 0))
target=1.06
read -r -a cxx <<<"${CXX:-c++}"

command -v valgrind >/dev/null || { echo "valgrind is missing; install it with apt-get install valgrind" >&2; exit 2; }

cmake -S . -B "$work/build" -DCMAKE_BUILD_TYPE=Release -DADTLAB_BUILD_TESTS=OFF \
    -DADTLAB_BUILD_EXAMPLES=OFF "$@" >/dev/null
cmake --build "$work/build" -j2 >/dev/null
cmake --install "$work/build" --prefix "$work/prefix" >/dev/null
libdir=$(dirname "$(find "$work/prefix" -name libordtally.a | head -n 1)")

for link in plain lto; do
    flags=(-std=c++20 -O2)
    [ "$link" = lto ] && flags+=(-flto)
    # The sorts' table, with the formulas its entries point to, and the input
    # shapes come from the tree, as in sorts_bench; the sorts from the install.
    "${cxx[@]}" "${flags[@]}" -I"$work/prefix/include" -I. bench/count_instructions.cpp \
        bench/inline_sorts.cpp sort_calls/sorts.cpp sort_calls/formulas.cpp \
        sort_inputs/shapes.cpp "$libdir/libsorting.a" "$libdir/libtextbook_sorts.a" \
        "$libdir/libordtally.a" -o "$work/driver-$link"
done

# instructions LINK ALGORITHM KIND N: the instructions that callgrind counted
# in the sort; the counts that the sort printed go to $work/counts.
instructions() {
    local out=$work/callgrind.$1.$2.$3
    valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect='measured_sort*' \
        "$work/driver-$1" "$2" "$3" "$4" </dev/null >"$work/counts" 2>/dev/null
    awk '/^summary:/ { print $2 }' "$out"
}

sizes=$("$work/driver-plain" --sizes)
printf '%-10s %7s %-6s %15s %15s %7s  %s\n' algorithm n link library inline ratio target
missed=0
while read -r algorithm n; do
    for link in plain lto; do
        library=$(instructions "$link" "$algorithm" library "$n")
        library_counts=$(cat "$work/counts")
        copy=$(instructions "$link" "$algorithm" inline "$n")
        if [ "$library_counts" != "$(cat "$work/counts")" ]; then
            echo "$algorithm: the inline copy counts differently" >&2
            exit 1
        fi
        ratio=$(awk -v a="$library" -v b="$copy" 'BEGIN { printf "%.3f", a / b }')
        verdict=$(awk -v r="$ratio" -v t="$target" 'BEGIN { print (r <= t ? "met" : "missed") }')
        [ "$verdict" = met ] || missed=1
        printf '%-10s %7s %-6s %15s %15s %7s  %s\n' "$algorithm" "$n" "$link" "$library" "$copy" \
            "$ratio" "$verdict"
    done
done <<<"$sizes"
exit "$missed"
