#!/usr/bin/env bash
# Drives the real program under a private X server with real mouse and key
# events: picks "Österreich" from the country list by clicking its row, types
# "Riesling" and clicks "Suche starten" with the on-screen keyboard still up,
# bookmarks the first wine found with a note, searches all countries for
# "cote rotie" (found as Côte-Rôtie after a notice) and bookmarks that too,
# leaves the program, and checks that both bookmarks reached the guide file,
# the first on an Austrian wine. Works on a copy of the program, its guide
# and its Ratgeber.
#
# Usage: clickthrough.sh PROGRAM [SCREENSHOT_FOLDER]
# With a folder, the screen after each step is saved there as an XWD file.
# CLICKTHROUGH_LIMIT shortens the overall time limit (90 s) while debugging.
set -uo pipefail
program=$1
shots=${2:-}
program_dir=$(dirname "$program")
# shellcheck source=tests/ui/xserver.sh
source "$(dirname "$0")/xserver.sh"
fail() {
  echo "FAIL: $*" >&2
  [ -f "$work/out" ] && cat "$work/out" >&2
  exit 1
}

# The whole run gives up after this many seconds.
readonly overall_limit=${CLICKTHROUGH_LIMIT:-90}
# The note typed into the bookmark; plain ASCII so xdotool types it on any layout.
readonly note="Zum Spargel gut gekuehlt"
start=$SECONDS

# Polls a condition every tenth of a second until it holds or the overall
# time is up; the program must stay alive meanwhile.
wait_for() {
  local what=$1
  shift
  while ! "$@" >/dev/null 2>&1; do
    [ -n "$app_pid" ] && ! kill -0 "$app_pid" 2>/dev/null && fail "the program ended while waiting for $what"
    ((SECONDS - start < overall_limit)) || fail "timed out waiting for $what"
    sleep 0.1
  done
}

# The program's only top-level window carries the current dialog's caption.
title_is() { [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "$1" ]; }
title_differs() { [ "$(xdotool getwindowname "$window" 2>/dev/null)" != "$1" ]; }
wait_for_title() { wait_for "the title '$1'" title_is "$1"; }

# Dialog-unit arithmetic of the templates: the main menu uses 3 x 3.125 px a
# unit, every other dialog 1.5 x 1.625; dialogs start under the 26 px
# navigation bar. Arguments are the centre in tenths of a unit.
readonly nav_bar=26
# "ok" at the navigation bar's right.
readonly ok_button=(225 13)
click_menu() { click_at $(($1 * 30 / 10 / 10)) $((nav_bar + $2 * 3125 / 1000 / 10)); }
click_dialog() { click_at $(($1 * 15 / 10 / 10)) $((nav_bar + $2 * 1625 / 1000 / 10)); }
click_at() {
  xdotool mousemove --window "$window" "$1" "$2" click 1
  sleep 0.2
}
press() {
  xdotool key --delay 60 "$@"
  sleep 0.2
}
# A message box shows its caption as a bar in the navigation bar's blue
# (0, 51, 153) below the navigation bar; the X server's copy of the screen
# (an XWD file, 32 bits a pixel, the window at its top left) tells.
message_box_shown() {
  python3 - "$work/fb/Xvfb_screen0" <<'PY'
import struct, sys
d = open(sys.argv[1], 'rb').read()
h = struct.unpack('>25I', d[:100])
start, lsb_first, line = h[0] + h[19] * 12, h[7] == 0, h[12]
def rgb(x, y):
    p = d[start + y * line + 4 * x:start + y * line + 4 * x + 4]
    return (p[2], p[1], p[0]) if lsb_first else (p[1], p[2], p[3])
bar = any(sum(rgb(x, y) == (0, 51, 153) for x in range(240)) >= 150 for y in range(40, 300))
sys.exit(0 if bar else 1)
PY
}
# The X server keeps its screen in an XWD file; a copy of it is a screenshot.
shot() {
  [ -n "$shots" ] || return 0
  mkdir -p "$shots"
  cp "$work/fb/Xvfb_screen0" "$shots/$1.xwd"
}

mkdir -p "$work/app" "$work/home" "$work/fb"
cp "$program" "$program_dir/vinaria2007_db.cdb" "$work/app/" || fail "no program or guide to copy"
cp -r "$program_dir/ratgeber" "$work/app/" 2>/dev/null
guide="$work/app/vinaria2007_db.cdb"
bookmarks() {
  sqlite3 "$guide" "select count(*) from Lesezeichen join vinaria on vinaria.ID = Lesezeichen.id_vinaria
    where Notiz = '$note' and Beschreibung like '%Riesling%' and vinaria.Land = 'AUT'"
}
[ "$(bookmarks)" = 0 ] || fail "the copied guide already holds the bookmark"

# A private X server on a free display number.
start_private_x -fbdir "$work/fb"

HOME="$work/home" XDG_DATA_HOME="$work/home/data" VINARIA_REPORT_PAINT=1 VINARIA_NO_ZOOM=1 \
  "$work/app/vinaria" >"$work/out" 2>&1 &
app_pid=$!
wait_for "the main window to paint" grep -q "main window painted" "$work/out"
window=$(xdotool search --sync --limit 1 --name '^Vinaria - Weinführer$' 2>/dev/null | head -n1)
[ -n "$window" ] || fail "no main window"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
wait_for_title "Vinaria - Weinführer"
shot 1-menu
[ -n "$shots" ] && xdotool getwindowgeometry "$window" >"$shots/geometry"

# The middle row of the highlighted (chosen) row that the screen shows in
# column x between rows from and to, read from the X server's screen file:
# an XWD header, a colour map, then four bytes (blue, green, red, pad) a pixel.
chosen_row() {
  local x=$1 from=$2 to=$3 file="$work/fb/Xvfb_screen0" header colours line y first="" last=""
  header=$(od -An -tu4 --endian=big -N 4 "$file" | tr -d ' ')
  colours=$(od -An -tu4 --endian=big -j 76 -N 4 "$file" | tr -d ' ')
  line=$(od -An -tu4 --endian=big -j 48 -N 4 "$file" | tr -d ' ')
  for ((y = from; y <= to; y++)); do
    read -r b g r < <(od -An -tu1 -j $((header + colours * 12 + y * line + x * 4)) -N 3 "$file")
    if ((b > 150 && r < 120)); then
      [ -z "$first" ] && first=$y
      last=$y
    fi
  done
  [ -n "$first" ] && echo $(((first + last) / 2))
}
# The country box: template units 57 + 97 wide at 38.
readonly country_box=(130 97)

# 1. "Weine von A - Z": the country list opened, "Ö" typed to choose
# "Österreich" and bring it into view, and its row clicked where the list
# shows it; keyword "Riesling", then "Suche starten" at once, with the
# keyboard that the field brought up still shown below the screen.
click_menu 500 180 # "Weine von A - Z"
wait_for_title "Vinaria Weinsuche"
click_at "${country_box[@]}"
sleep 0.3
press odiaeresis
shot 2-countries
row=$(chosen_row 110 100 260)
[ -n "$row" ] || fail "no chosen row in the open country list"
click_at 110 "$row"
shot 3-country-chosen
click_dialog 1055 300 # keyword field
xdotool type --delay 40 "Riesling"
sleep 0.2
shot 4-form
height=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')
[ "$height" -gt 320 ] || fail "the on-screen keyboard did not come up below the screen (window height $height)"
click_dialog 330 1570 # "Suche starten"
wait_for_title "Vinaria - Suchergebnis"
shot 5-results

# 2. The first wine of the tree, its note tab, bookmark and note saved.
click_dialog 785 80 # the tree; its first group opened, its first wine
press Home Right Down
click_dialog 1250 1465 # tab "Notiz / Lesezeichen"
click_dialog 300 1330 # "Lesezeichen setzen"
click_dialog 785 1040 # note field
xdotool type --delay 40 "$note"
sleep 0.2
shot 6-note
click_dialog 1240 1335 # "Speichern"
sleep 0.3
shot 7-hinweis
# The "HINWEIS" box that confirms the save takes Enter.
press Return

# 3. Back on the form, all countries again (the blank entry at the top of
# the list), and "cote rotie" finds nothing as typed: a notice says that hits
# for "Côte-Rôtie" are shown, and the results list it first; it is
# bookmarked, so the guide file shows what was listed.
click_at "${ok_button[@]}"
wait_for_title "Vinaria Weinsuche"
click_at "${country_box[@]}"
sleep 0.3
press Home Return
click_dialog 1055 300 # keyword field
press ctrl+a BackSpace
xdotool type --delay 40 "cote rotie"
sleep 0.2
click_dialog 330 1570 # "Suche starten"
# The notice stands over the form until it is answered.
wait_for "the notice of the tolerant search" message_box_shown
shot 8-notice
press Return
wait_for_title "Vinaria - Suchergebnis"
shot 9-tolerant-results
click_dialog 785 80
press Home Right Down
click_dialog 1250 1465 # tab "Notiz / Lesezeichen"
click_dialog 300 1330  # "Lesezeichen setzen"
click_dialog 1240 1335 # "Speichern"
sleep 0.3
press Return

# 4. Back to the main menu with "ok" in the navigation bar (the search form
# may stand between), then Esc ends the program.
for _ in 1 2 3; do
  title_is "Vinaria - Weinführer" && break
  left=$(xdotool getwindowname "$window")
  click_at "${ok_button[@]}"
  wait_for "a dialog after '$left'" title_differs "$left"
done
wait_for_title "Vinaria - Weinführer"
press Escape
for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "Esc on the main menu did not end the program"
wait "$app_pid" || fail "the program ended with an error"
app_pid=""

# 5. The bookmark with its note, and the one of the tolerant search, are in the guide file.
rows=$(bookmarks) || fail "sqlite3 could not read the guide"
[ "$rows" = 1 ] || { sqlite3 "$guide" "select * from Lesezeichen" >&2; fail "expected one bookmark with the note, found $rows"; }
rows=$(sqlite3 "$guide" "select count(*) from Lesezeichen where Beschreibung = 'Côte-Rôtie'")
[ "$rows" = 1 ] || { sqlite3 "$guide" "select * from Lesezeichen" >&2; fail "expected the bookmark of Côte-Rôtie, found $rows"; }
echo "program_clickthrough: chose Österreich, searched past the keyboard, bookmarked with a note and found both bookmarks in the guide in $((SECONDS - start)) s"
