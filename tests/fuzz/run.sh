#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each over its committed seed
# corpus: RUNS inputs per target (default 20000), or MAX_TIME seconds if set.
#   tests/fuzz/run.sh                 # the short run CI does
#   RUNS=1000000 MAX_TIME=300 tests/fuzz/run.sh Like   # one target, longer
set -euo pipefail
cd "$(dirname "$0")/../.."
RUNS=${RUNS:-20000}
MAX_TIME=${MAX_TIME:-0}
BUILD=${FUZZ_BUILD_DIR:-build-fuzz}
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(Like QueryBuilder Statements EntryDecoder Sources Utf16 BookmarkSave)

mkdir -p "$BUILD"
{ cmake -S tests/fuzz -B "$BUILD" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    && cmake --build "$BUILD" -j2; } >"$BUILD/build.log" 2>&1 || { tail -40 "$BUILD/build.log"; exit 1; }

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for t in "${targets[@]}"; do
  # New inputs go to a scratch corpus, so the committed seeds stay as they are.
  scratch="$BUILD/corpus/$t"
  mkdir -p "$scratch" "$BUILD/crashes"
  echo "fuzz_$t: $RUNS runs"
  args=(-runs="$RUNS" -max_len=512 -artifact_prefix="$BUILD/crashes/$t-" -print_final_stats=1)
  [ "$MAX_TIME" != 0 ] && args+=(-max_total_time="$MAX_TIME")
  "$BUILD/fuzz_$t" "${args[@]}" "$scratch" "tests/fuzz/corpus/$t" 2>"$BUILD/$t.log" \
    || { tail -40 "$BUILD/$t.log"; exit 1; }
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$BUILD/$t.log" | tr '\n' ' '; echo
done
