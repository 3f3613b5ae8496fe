#!/usr/bin/env bash
# Reads the real program through the Linux accessibility bus, as a screen
# reader does: a private X server, a private session bus that starts the
# accessibility bus on demand, and atspi_tree.py to check the tree and walk
# the search journey with the keyboard alone. Works on a copy of the program,
# its guide and its Ratgeber; the browser is a stand-in that notes the page.
#
# Usage: atspi.sh PROGRAM
# ATSPI_LIMIT shortens the overall time limit (100 s) while debugging.
set -uo pipefail
program=$1
program_dir=$(dirname "$program")
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/ui/xserver.sh
source "$here/xserver.sh"
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The accessibility stack and its Python binding come from Debian; the
# binding is for the system's Python, whatever python3 the PATH finds first.
python=/usr/bin/python3
command -v dbus-run-session >/dev/null || fail "dbus-run-session is missing (scripts/install-deps.sh installs it)"
[ -x /usr/libexec/at-spi-bus-launcher ] || fail "at-spi-bus-launcher is missing (scripts/install-deps.sh installs it)"
"$python" -c "import pyatspi" 2>/dev/null || fail "python3-pyatspi is missing (scripts/install-deps.sh installs it)"

mkdir -p "$work/app" "$work/home" "$work/bin" "$work/run"
chmod 700 "$work/run"
cp "$program" "$program_dir/vinaria2007_db.cdb" "$work/app/" || fail "no program or guide to copy"
cp -r "$program_dir/ratgeber" "$work/app/" 2>/dev/null
printf '#!/bin/sh\necho "$1" >>"%s/browser"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"

start_private_x
xdpyinfo >/dev/null 2>&1 || { cat "$work/xvfb.log" >&2; fail "the X server on $DISPLAY does not answer"; }

# The session bus and everything on it end with the Python script; the
# daemon's notes on the services it starts are noise here.
timeout "${ATSPI_LIMIT:-100}" dbus-run-session -- \
  env PATH="$work/bin:$PATH" HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_RUNTIME_DIR="$work/run" \
  "$python" "$here/atspi_tree.py" --program "$work/app/vinaria" --browser-log "$work/browser" --log "$work/out" \
  2> >(grep -v -e "Failed to set fd limit" -e "Activating service" -e "Successfully activated" \
    -e "SpiRegistry daemon is running" >&2)
status=$?
if [ "$status" != 0 ] && ! kill -0 "$xvfb_pid" 2>/dev/null; then
  echo "The X server ended during the test:" >&2
  cat "$work/xvfb.log" >&2
fi
[ "$status" = 124 ] && fail "timed out after ${ATSPI_LIMIT:-100} s"
exit "$status"
