#!/usr/bin/env bash
# Installs a build into a fresh prefix, then builds the C driver against it
# twice, as an outside CMake project and with a plain cc line, and runs both.
#
#   check.sh BUILD_DIR WORK_DIR LIBRARIES C_COMPILER C_FLAGS [EMULATOR]
#
# LIBRARIES is a comma-separated list, each library after those it uses.
# EMULATOR, if given, runs the drivers (qemu-i386 for a 32-bit build).
set -euo pipefail

build=$1
work=$2
libraries=$3
cc=$4
cflags=$5
read -r -a run <<<"${6:-}"
here=$(cd "$(dirname "$0")" && pwd)
driver=$here/../c_api.c

rm -rf "$work"
mkdir -p "$work"
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

libdir=$(dirname "$(find "$prefix" -name libordtally.a | head -n 1)")

# The stack check program stays out of bin/, where it would shadow test(1).
test ! -e "$prefix/bin/test"
test -x "$prefix/libexec/adtlab/test"

cmake -S "$here" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_C_COMPILER="$cc" -DCMAKE_C_FLAGS="$cflags" \
    -DDRIVER="$driver" -DADTLAB_LIBRARIES="${libraries//,/;}" >/dev/null
cmake --build "$work/cmake-build" >/dev/null
"${run[@]}" "$work/cmake-build/consumer"

# A plain C link: the libraries need no C++ runtime. Dependents come first.
archives=()
for library in $(echo "$libraries" | tr ',' '\n' | tac); do
    archives+=("$libdir/lib$library.a")
done
# shellcheck disable=SC2086
"$cc" -std=c11 $cflags -I"$prefix/include" "$driver" "${archives[@]}" -o "$work/plain"
"${run[@]}" "$work/plain"

# The same with link-time optimisation, which reads the LTO bytecode that an
# optimised build keeps beside the machine code.
# shellcheck disable=SC2086
"$cc" -std=c11 -O2 -flto $cflags -I"$prefix/include" "$driver" "${archives[@]}" -o "$work/plain-lto"
"${run[@]}" "$work/plain-lto"

# Through pkg-config, as a make-based driver builds.
packages=()
for library in $(echo "$libraries" | tr ',' '\n'); do
    packages+=("adtlab-$library")
done
export PKG_CONFIG_PATH="$libdir/pkgconfig"
# shellcheck disable=SC2086,SC2046
"$cc" -std=c11 $cflags "$driver" $(pkg-config --cflags --libs "${packages[@]}") -o "$work/pkg"
"${run[@]}" "$work/pkg"

# The installed adtlab-check builds a module against the installed package
# (with the host's compiler, so not for an emulated build).
if [ ${#run[@]} -eq 0 ]; then
    "$prefix/bin/adtlab-check" stack "$here/../outside/list_stack.c" |
        grep -q "stack_to_array: conforms"
    # The sorts harness includes the list of sorts installed beside it.
    "$prefix/bin/adtlab-check" --time-limit 60 sorts "$here/../check_modules/left_first_sorts.c" |
        grep -q "quick_sort: conforms"
    # The installed bundle command finds its scripts, sources and checker.
    "$prefix/bin/adtlab-gradescope-bundle" --kind stack --points 5 -o "$work/autograder.zip"
    cmake -E tar tf "$work/autograder.zip" >"$work/autograder.list"
    grep -qx "source/adtlab_check/main.cpp" "$work/autograder.list"
    grep -qx "run_autograder" "$work/autograder.list"
fi

echo "installed package: CMake, plain cc, cc -flto and pkg-config drivers pass"
