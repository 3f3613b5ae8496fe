#!/usr/bin/env bash
# The command line's figures in bench/README.md.
#   bench/run-cli.sh [SIZE]          default size: 100000
# Environment:
#   ITERATIONS=n   interleaved runs per case (default 9)
#   RUNS=n         whole-process runs per command (default 7)
# Builds build/bench-after (Release), makes the guide once
# (build/bench-guides/N, as bench/run.sh does) and copies of it with 10 000
# and 1 000 bookmarks (build/bench-guides/N/bookmarks*), and leaves the
# results in build/bench-results/cli-N.*.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
n=${1:-100000}
iterations=${ITERATIONS:-9}
runs=${RUNS:-7}
guides=$root/build/bench-guides
results=$root/build/bench-results
mkdir -p "$guides/$n" "$results"
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-/work} CCACHE_DIR=${CCACHE_DIR:-/work/.ccache}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

echo "== building (Release)"
cmake -S "$root" -B build/bench-after -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build build/bench-after -j2 --target vinaria_cli_bench vinaria vinaria-guidegen >/dev/null

guide=$guides/$n/vinaria2007_db.cdb
if [[ ! -f $guide ]]; then
  echo "== generating the $n guide"
  build/bench-after/tools/vinaria-guidegen --sources data/guide --entries "$n" --seed 7 --output "$guide"
fi

echo "== in-process, program and SQLite in turns ($iterations each)"
build/bench-after/bench/vinaria_cli_bench --guide="$guides/$n" --iterations="$iterations" \
  --benchmark_out="$results/cli-$n.json" --benchmark_out_format=json | tee "$results/cli-$n.txt"

# The whole program as a user starts it: process start, guide opened,
# the work, the output written (to /dev/null); medians of the processor
# time (user + system, which a busy machine hardly moves) and of wall time.
echo "== whole process, median of $runs runs"
program=build/bench-after/vinaria
bookmarks=$guides/$n/bookmarks/vinaria2007_db.cdb
# The printed list of 1 000 bookmarks (about 440 pages): the first 1 000 of the 10 000.
printed=$guides/$n/bookmarks-1000/vinaria2007_db.cdb
mkdir -p "$(dirname "$printed")"
cp "$bookmarks" "$printed"
sqlite3 "$printed" "DELETE FROM Lesezeichen WHERE ID_Lesezeichen > 1000"
measure() { # name, command...
  local name=$1; shift
  for _ in $(seq "$runs"); do
    /usr/bin/time -f "%U %S %e %M" -o "$results/cli-time" env -u DISPLAY -u WAYLAND_DISPLAY "$@" >/dev/null 2>&1
    awk '{printf "%.2f %.2f %d\n", $1 + $2, $3, $4}' "$results/cli-time"
  done | sort -n | awk -v name="$name" '{cpu[NR] = $1; wall[NR] = $2; kb[NR] = $3}
    END {m = int((NR + 1) / 2); printf "%-36s cpu %.2f s (%.2f-%.2f), wall %.2f s, peak %d kB\n",
         name, cpu[m], cpu[1], cpu[NR], wall[m], kb[m]}'
}
{
  measure "--show 1" "$program" --guide "$guide" --show 1
  measure "--search '' --red (53 154 hits)" "$program" --guide "$guide" --search "" --red
  measure "--search Kirsche --fulltext" "$program" --guide "$guide" --search Kirsche --fulltext
  measure "--export-bookmarks (10 000)" "$program" --guide "$bookmarks" --export-bookmarks "$results/cli-export.csv"
  measure "--import-bookmarks (10 000)" "$program" --guide "$bookmarks" --import-bookmarks "$results/cli-export.csv"
  measure "--bookmarks-pdf (1 000)" "$program" --guide "$printed" --bookmarks-pdf "$results/cli-export.pdf"
} | tee "$results/cli-$n-process.txt"
