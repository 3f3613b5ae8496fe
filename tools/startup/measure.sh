#!/usr/bin/env bash
# Instructions and peak memory up to the first paint: the wine guide against
# a bare Qt dialog, both under a private X server.
#   tools/startup/measure.sh build
# Needs valgrind, xvfb and GNU time.
set -euo pipefail
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs a program until it reports its first paint, then stops it.
# $1 label, $2 wrapper ("callgrind" or "time"), rest: the command.
until_painted() {
  local label=$1 wrapper=$2
  shift 2
  local out="$work/$label.$wrapper.out"
  case $wrapper in
    # Counts are dumped when the first complete paint of the window has been
    # flushed to the X server, the same point in both programs.
    callgrind) valgrind --tool=callgrind --callgrind-out-file="$work/$label.cg" \
      --dump-after='QWidgetRepaintManager::paintAndFlush()' "$@" >"$out" 2>"$work/$label.cg.log" & ;;
    time) /usr/bin/time -v -o "$work/$label.time" "$@" >"$out" 2>/dev/null & ;;
  esac
  local pid=$!
  for _ in $(seq 600); do
    grep -q "painted" "$out" 2>/dev/null && break
    sleep 0.1
  done
  [ "$wrapper" = callgrind ] && sleep 1
  # The wrapper's child is the program; end it, and the wrapper reports.
  pkill -TERM -P "$pid" 2>/dev/null || kill -TERM "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

instructions() {
  # The dump taken at the first paint (the .1 file) when there is one.
  local file="$work/$1.cg.1"
  [ -f "$file" ] || file="$work/$1.cg"
  callgrind_annotate "$file" 2>/dev/null | awk '/PROGRAM TOTALS/ && !done {gsub(",", "", $1); print $1; done = 1}'
}

peak_kb() {
  awk -F: '/Maximum resident set size/ {gsub(/ /, "", $2); print $2}' "$work/$1.time"
}

export VINARIA_REPORT_PAINT=1 VINARIA_NO_ZOOM=1
run_all() {
  until_painted guide callgrind "$build/vinaria"
  until_painted bare callgrind "$build/tools/startup/vinaria-bare-dialog"
  until_painted guide time "$build/vinaria"
  until_painted bare time "$build/tools/startup/vinaria-bare-dialog"
}
export -f until_painted
export work build
xvfb-run -a -s '-screen 0 1280x1024x24' bash -c "$(declare -f until_painted run_all); work=$work; build=$build; run_all"

gi=$(instructions guide); bi=$(instructions bare)
gm=$(peak_kb guide); bm=$(peak_kb bare)
echo "instructions to first paint: guide $gi, bare dialog $bi, ratio $(awk "BEGIN {printf \"%.2f\", $gi / $bi}")"
echo "peak RSS (kB): guide $gm, bare dialog $bm, ratio $(awk "BEGIN {printf \"%.2f\", $gm / $bm}")"
