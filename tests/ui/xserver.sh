# Sourced by the tests that run the real program under a private X server:
# a temporary folder, the server and the program ended on exit, and the
# server started on a free display number. The sourcing script defines fail().
work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Starts Xvfb (further arguments go to it) and points DISPLAY at it.
start_private_x() {
  exec 3>"$work/displayfd"
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp "$@" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  exec 3>&-
  for _ in $(seq 100); do
    [ -s "$work/displayfd" ] && break
    sleep 0.1
  done
  [ -s "$work/displayfd" ] || fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$work/displayfd")"
  unset QT_QPA_PLATFORM WAYLAND_DISPLAY
}
