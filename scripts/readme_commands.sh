#!/usr/bin/env bash
# Runs the commands of README.md as written, in order, in a scratch copy of the
# source tree, against a build and an install of it, so that they cannot rot.
#
#   scripts/readme_commands.sh SOURCE_DIR BUILD_DIR WORK_DIR
#
# README.md's "The commands in this README" says how its code blocks are read:
# ```sh blocks run, ```console sessions run and their output is compared
# ("..." for any lines), ```c blocks that open with /* NAME */ are written to
# NAME, and <!-- not run: ... --> or <!-- output not compared: ... --> right
# before a block says otherwise. /opt/adtlab is WORK_DIR/opt/adtlab, where
# BUILD_DIR is installed first; cmake's preset commands stand for BUILD_DIR.
set -euo pipefail

source_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" && pwd)
work=$3
rm -rf "$work"
mkdir -p "$work/tree" "$work/bin"
work=$(cd "$work" && pwd)
prefix=$work/opt/adtlab
readme=$source_dir/README.md

tar -C "$source_dir" --exclude=./build --exclude=./.git -cf - . | tar -C "$work/tree" -xf -
cmake --install "$build_dir" --prefix "$prefix" >/dev/null

# cmake as the README's commands meet it: a preset's configure or workflow
# makes build/NAME the build under test, which is already built and tested; a
# preset's build checks that build/NAME is there with the targets named; all
# else is cmake itself.
{
    echo '#!/usr/bin/env bash'
    echo 'set -euo pipefail'
    printf 'real=%q\nbuild_dir=%q\n' "$(command -v cmake)" "$build_dir"
    cat <<'END_OF_SHIM'
presets() { "$real" --list-presets="$1" 2>/dev/null | sed -n 's/^ *"\([^"]*\)".*/\1/p'; }
case "${1:-} ${2:-}" in
"--preset "* | "--workflow --preset")
    if [ "$1" = --preset ]; then kind=configure name=$2; else kind=workflow name=$3; fi
    presets "$kind" | grep -qx "$name" || { echo "cmake: no $kind preset '$name'" >&2; exit 1; }
    mkdir -p build && ln -sfn "$build_dir" "build/$name"
    echo "readme test: build/$name is the build under test"
    ;;
"--build --preset")
    name=$3
    [ -e "build/$name" ] || { echo "cmake: build/$name is not configured" >&2; exit 1; }
    shift 3
    while [ $# -gt 0 ]; do
        if [ "$1" = --target ]; then
            grep -q "/$2\.dir\$" "build/$name/CMakeFiles/TargetDirectories.txt" ||
                { echo "cmake: build/$name has no target '$2'" >&2; exit 1; }
            shift
        fi
        shift
    done
    echo "readme test: build/$name, the build under test, is built"
    ;;
*) exec "$real" "$@" ;;
esac
END_OF_SHIM
} >"$work/bin/cmake"
chmod +x "$work/bin/cmake"

# The README's blocks as calls of the functions below, in the README's order.
# shellcheck disable=SC2016
script=$(awk '
    function quoted(text) { gsub(/\047/, "\047\\\047\047", text); return "\047" text "\047" }
    # The command that began on line `at`, with the output shown after it.
    function flush() {
        if (command == "") return
        if (lang == "sh") print "readme_sh", at, quoted(command)
        else print "readme_console", at, kind, quoted(command), quoted(output)
        command = ""; output = ""
    }
    function emit_commands(   i, line, going_on) {
        kind = marker ~ /^output not compared:/ ? "uncompared" : "compared"
        command = ""; output = ""; going_on = 0
        for (i = 1; i <= count; ++i) {
            line = lines[i]
            if (going_on) {
                command = command "\n" line
            } else if (lang == "console" && line ~ /^\$ /) {
                flush(); at = start + i; command = substr(line, 3)
            } else if (lang == "console" && command != "") {
                output = output line "\n"; continue
            } else if (lang == "console") {
                print "readme_fail", start + i, quoted("output before any command"); continue
            } else if (line !~ /^[ \t]*$/) {
                at = start + i; command = line
            }
            going_on = line ~ /\\$/
            if (!going_on && lang == "sh") flush()
        }
        if (going_on) print "readme_fail", start, quoted("a command goes on past its block")
        flush()
    }
    !inside && /^```[A-Za-z0-9_+-]*$/ {
        inside = 1; lang = substr($0, 4); start = NR; count = 0
        marker = previous ~ /^<!-- .* -->$/ ? substr(previous, 6, length(previous) - 9) : ""
        next
    }
    inside && /^```$/ {
        inside = 0; previous = $0
        if (marker != "" && marker !~ /^(not run|output not compared): [^ ]/) {
            print "readme_fail", start, quoted("unknown marker <!-- " marker " -->")
        } else if (marker ~ /^not run:/) {
            print "readme_skip", start, quoted(substr(marker, 10))
        } else if (lang == "sh" || lang == "console") {
            emit_commands()
        } else if (lang == "c" && lines[1] ~ /^\/\* [A-Za-z0-9_.-]+ \*\/$/) {
            text = ""
            for (i = 1; i <= count; ++i) text = text lines[i] "\n"
            split(lines[1], name, " ")
            print "readme_file", start, quoted(name[2]), quoted(text)
        }
        next
    }
    inside { lines[++count] = $0; next }
    { previous = $0 }
    END { if (inside) print "readme_fail", start, quoted("the block does not end") }
' "$readme")

ran=0
compared=0
skipped=()
readme_fail() {
    echo "README.md:$1: $2" >&2
    exit 1
}
# The install prefix that the README names is this test's.
in_scratch() { printf '%s' "${1//\/opt\/adtlab/$prefix}"; }

readme_sh() {
    local command
    command=$(in_scratch "$2")
    echo "README.md:$1: \$ $2"
    eval "$command" || readme_fail "$1" "failed with status $?: $2"
    ran=$((ran + 1))
}

# Whether the lines of file $2 are those of file $1, where a line "..." in $1
# stands for any number of lines.
matches() {
    local -a want got
    mapfile -t want <"$1"
    mapfile -t got <"$2"
    local w=0 g=0 star=-1 resume=0
    while [ "$g" -lt "${#got[@]}" ]; do
        if [ "$w" -lt "${#want[@]}" ] && [ "${want[w]}" = "..." ]; then
            star=$w resume=$g w=$((w + 1))
        elif [ "$w" -lt "${#want[@]}" ] && [ "${want[w]}" = "${got[g]}" ]; then
            w=$((w + 1)) g=$((g + 1))
        elif [ "$star" -ge 0 ]; then
            resume=$((resume + 1)) w=$((star + 1))
            g=$resume
        else
            return 1
        fi
    done
    while [ "$w" -lt "${#want[@]}" ] && [ "${want[w]}" = "..." ]; do
        w=$((w + 1))
    done
    [ "$w" -eq "${#want[@]}" ]
}

readme_console() {
    local command status=0
    command=$(in_scratch "$3")
    echo "README.md:$1: \$ $3"
    in_scratch "$4" >"$work/expected"
    (eval "$command") >"$work/actual" || status=$?
    if [ "$status" -ne 0 ]; then
        cat "$work/actual"
        readme_fail "$1" "failed with status $status: $3"
    fi
    ran=$((ran + 1))
    if [ "$2" = compared ]; then
        if ! matches "$work/expected" "$work/actual"; then
            diff -u "$work/expected" "$work/actual" >&2 || true
            readme_fail "$1" "printed other than the README shows: $3"
        fi
        compared=$((compared + 1))
    fi
}

readme_file() {
    echo "README.md:$1: writes $2"
    printf '%s' "$3" >"$2"
}

readme_skip() { skipped+=("README.md:$1: not run: $2"); }

export PATH=$work/bin:$prefix/bin:$PATH
cd "$work/tree"
exec </dev/null
# The commands run as in an interactive shell, where an unset variable is
# empty and a pipeline's status is its last command's.
set +u +o pipefail
eval "$script"

printf '%s\n' "${skipped[@]}"
echo "README commands: $ran run ($compared with their output compared), ${#skipped[@]} blocks not run"
