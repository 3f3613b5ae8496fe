#!/usr/bin/env bash
# Starts the program under a private X server and waits for its main window
# to appear and paint; then checks that it refuses plainly to start without
# a display.
set -uo pipefail
program=$1
# shellcheck source=tests/ui/xserver.sh
source "$(dirname "$0")/xserver.sh"
fail() { echo "FAIL: $*" >&2; [ -f "$work/out" ] && cat "$work/out" >&2; exit 1; }

# Without a display the program says so and exits non-zero.
if env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" >"$work/nodisplay" 2>&1; then
  fail "started without a display"
fi
grep -q "no graphical display" "$work/nodisplay" || fail "no plain message without a display"

# A private X server on a free display number.
start_private_x

VINARIA_REPORT_PAINT=1 VINARIA_NO_ZOOM=1 "$program" >"$work/out" 2>&1 &
app_pid=$!
for _ in $(seq 200); do
  grep -q "main window painted" "$work/out" && break
  kill -0 "$app_pid" 2>/dev/null || fail "the program ended early"
  sleep 0.1
done
grep -q "main window painted" "$work/out" || fail "the main window never painted"
xwininfo -root -tree >"$work/tree" 2>&1 || fail "xwininfo failed"
grep -q '"Vinaria - Weinführer"' "$work/tree" || { cat "$work/tree" >&2; fail "no window titled 'Vinaria - Weinführer'"; }
echo "program_smoke: main window appeared and painted on $DISPLAY"
