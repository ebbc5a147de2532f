#!/usr/bin/env bash
# Draws how the three sorts grow: comparisons against n and milliseconds
# against n, on log-log axes, one line per algorithm and input shape.
#
#   scripts/plot_growth.sh [COMPARE_SORTS [OUTPUT_DIR]]
#
# COMPARE_SORTS defaults to build/release/compare_sorts/compare_sorts (build it
# with: cmake --preset release && cmake --build --preset release), OUTPUT_DIR
# to docs/. Writes comparisons.png, milliseconds.png and the growth.csv they
# were drawn from. Needs gnuplot: apt-get install gnuplot-nox
set -euo pipefail

compare_sorts=${1:-build/release/compare_sorts/compare_sorts}
out=${2:-docs}

if ! command -v gnuplot >/dev/null 2>&1; then
    echo "plot_growth.sh: gnuplot is missing; install it with: apt-get install gnuplot-nox" >&2
    exit 1
fi
if [ ! -x "$compare_sorts" ]; then
    echo "plot_growth.sh: $compare_sorts is not an executable compare_sorts; build it first" >&2
    exit 1
fi

mkdir -p "$out"
sizes=(250 500 1000 2000 4000 8000 16000)
# Rows of one algorithm and shape next to each other, so gnuplot joins them.
"$compare_sorts" --csv "${sizes[@]/#/--size=}" |
    { IFS= read -r header; echo "$header"; sort -t, -k3,3 -k1,1 -k2,2n; } >"$out/growth.csv"

plot() { # column, y label, file
    gnuplot <<GNUPLOT
set terminal pngcairo size 900,600 font ",10"
set output "$out/$3"
set datafile separator ","
set logscale xy
set key outside right top
set grid
set xlabel "n (values sorted)"
set ylabel "$2"
shapes = "random ascending descending few-distinct"
algorithms = "selection insertion quick"
plot for [a in algorithms] for [s in shapes] "$out/growth.csv" \
    using (strcol(3) eq a && strcol(1) eq s ? \$2 : NaN):(\$$1 > 0 ? \$$1 : NaN) \
    with linespoints title a." / ".s
GNUPLOT
}

plot 4 "comparisons" comparisons.png
plot 6 "milliseconds of processor time" milliseconds.png
echo "wrote $out/comparisons.png, $out/milliseconds.png and $out/growth.csv"
