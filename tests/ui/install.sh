#!/usr/bin/env bash
# Installs the build into a temporary folder (DESTDIR), checks the installed
# files, then starts the installed program from another working folder: its
# --help names the user's copy of the installed guide, and under a private X
# server its window paints, nothing is printed, and the copy is made.
set -uo pipefail
build=$1
# shellcheck source=tests/ui/xserver.sh
source "$(dirname "$0")/xserver.sh"
fail() { echo "FAIL: $*" >&2; for f in "$work"/out "$work"/help; do [ -f "$f" ] && cat "$f" >&2; done; exit 1; }

DESTDIR="$work/dest" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 || { cat "$work/install.log" >&2; fail "install failed"; }
root="$work/dest/usr"
for f in bin/vinaria share/vinaria/vinaria2007_db.cdb share/vinaria/ratgeber/0100.htm \
         share/applications/vinaria.desktop share/metainfo/org.vinaria.weinfuehrer.metainfo.xml \
         share/icons/hicolor/48x48/apps/vinaria.png share/icons/hicolor/256x256/apps/vinaria.png \
         share/man/man1/vinaria.1.gz share/doc/vinaria/copyright share/doc/vinaria/LICENSE share/doc/vinaria/LICENSE.data; do
  [ -f "$root/$f" ] || fail "not installed: $f"
done
[ -x "$root/bin/vinaria" ] || fail "the program is not executable"
for size in 48 256; do
  png="$root/share/icons/hicolor/${size}x${size}/apps/vinaria.png"
  [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "$size px icon is no PNG"
  # The width and height stand big-endian at bytes 16 and 20.
  [ "$(od --endian=big -An -tu4 -j16 -N8 "$png" | tr -s ' ' | sed 's/^ //;s/ $//')" = "$size $size" ] \
    || fail "$size px icon has another size"
done
desktop-file-validate "$root/share/applications/vinaria.desktop" || fail "desktop entry not valid"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/share/metainfo/org.vinaria.weinfuehrer.metainfo.xml" >"$work/appstream" 2>&1 \
    || { cat "$work/appstream" >&2; fail "AppStream metadata not valid"; }
fi
# The guide ships without anyone's bookmarks.
[ "$(sqlite3 "$root/share/vinaria/vinaria2007_db.cdb" 'select count(*) from Lesezeichen')" = 0 ] \
  || fail "the installed guide holds bookmarks"

# An installed program, run by a user from elsewhere, without a display.
mkdir -p "$work/home" "$work/elsewhere"
cd "$work/elsewhere"
export HOME="$work/home"
unset XDG_DATA_HOME
copy="$HOME/.local/share/vinaria/vinaria2007_db.cdb"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/bin/vinaria" --help >"$work/help" 2>&1 || fail "--help failed"
grep -qF "$copy" "$work/help" || fail "--help does not name the user's copy"
grep -qF "$root/share/vinaria/vinaria2007_db.cdb" "$work/help" || fail "--help does not name the installed guide"
grep -qF "$root/share/vinaria/ratgeber/0100.htm" "$work/help" || fail "--help does not name the installed Ratgeber"
[ -e "$copy" ] && fail "--help made a copy"

start_private_x
unset XDG_RUNTIME_DIR

VINARIA_REPORT_PAINT=1 VINARIA_NO_ZOOM=1 "$root/bin/vinaria" >"$work/out" 2>&1 &
app_pid=$!
for _ in $(seq 200); do
  grep -q "main window painted" "$work/out" && break
  kill -0 "$app_pid" 2>/dev/null || fail "the program ended early"
  sleep 0.1
done
grep -q "main window painted" "$work/out" || fail "the main window never painted"
[ "$(grep -v "main window painted" "$work/out")" = "" ] || fail "the program printed more than its paint report"
[ -f "$copy" ] || fail "no copy of the guide in the user's data folder"
# The database stays open while the menu is up: the program holds the copy.
ls -l "/proc/$app_pid/fd" 2>/dev/null | grep -qF -- "-> $copy" || fail "the program did not open the user's copy"
xwininfo -root -tree >"$work/tree" 2>&1 || fail "xwininfo failed"
grep -q '"FEHLER"' "$work/tree" && fail "the guide could not be opened"
# The installed program's command line works on the user's copy, without a display.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/bin/vinaria" --search Riesling >"$work/search" 2>"$work/search.err" \
  || { cat "$work/search.err" >&2; fail "--search found nothing without a display"; }
grep -q "Riesling" "$work/search" || fail "--search printed no Riesling"
echo "program_install: installed, validated, and started from $work/elsewhere with the guide at $copy"
