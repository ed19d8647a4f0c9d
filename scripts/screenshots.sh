#!/usr/bin/env bash
# Builds if needed, runs the real program on a virtual display of its own
# (with a Wine prefix of its own, build/wine-shots), drives it with real mouse
# input and writes PNG screenshots cropped to its windows into
# docs/screenshots/. Not a test; it stops at the first step that fails.
#
# Each screenshot is a function shot_<name> that writes <name>.png; the list
# `steps` at the end runs the steps in order (the guard's shots tell one
# story: an alarm, a file picked, the notification-area menu, 关闭). To add a
# shot of another program, write a step that starts it with start_program,
# drives it with the helpers below and saves with save_window, and add it to
# the list.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/prepare.sh

export TAMFERN_WINEPREFIX="$root/build/wine-shots"
env -u DISPLAY bash scripts/wine-prefix.sh
source scripts/wine-env.sh
source scripts/display.sh
unset DISPLAY   # always a virtual display of its own
# The prefix is this script's own: a server left by a broken run would keep
# Wine's desktop on a display that is gone.
wineserver -k 2>/dev/null || true
wineserver -w
trap tamfern_display_stop EXIT
trap 'exit 130' INT TERM HUP
tamfern_display_start

out="$root/docs/screenshots"
work="$root/build/screenshots"
drive_c="$WINEPREFIX/drive_c"
mkdir -p "$out"
rm -rf "$work"
mkdir -p "$work"

# --- helpers ---------------------------------------------------------------

fail() {
  echo "screenshots: $*" >&2
  exit 1
}

# wait_until SECONDS COMMAND...: polls the command every 0.2 s.
wait_until() {
  local seconds=$1
  shift
  local i
  for ((i = 0; i < seconds * 5; i++)); do
    "$@" && return 0
    sleep 0.2
  done
  return 1
}

# The first mapped window of a Windows program (its X class is the .exe name),
# optionally with a title matching a regular expression.
visible_window() {
  local class=$1 title=${2:-} w
  for w in $(xdotool search --onlyvisible --classname "^${class//./\\.}\$" 2>/dev/null); do
    if [ -z "$title" ] || [[ "$(xdotool getwindowname "$w")" =~ $title ]]; then
      echo "$w"
      return
    fi
  done
}

# geometry WINDOW: sets X, Y, WIDTH, HEIGHT (screen coordinates).
geometry() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
}

click() {   # click X Y [BUTTON]
  xdotool mousemove "$1" "$2" click "${3:-1}"
}

park_mouse() {   # out of every window, so that no hover shows
  xdotool mousemove 1279 1023
}

# grab X Y W H FILE: the screen region, once two grabs in a row agree (the
# windows have finished painting). PNGs without time stamps, so that a
# second run writes the same bytes.
grab() {
  local x=$1 y=$2 w=$3 h=$4 file=$5 i
  for ((i = 0; i < 25; i++)); do
    import -window root -crop "${w}x${h}+${x}+${y}" +repage -strip \
      -define png:exclude-chunks=date,time "$work/grab.png"
    if [ -f "$work/last.png" ] && cmp -s "$work/grab.png" "$work/last.png"; then break; fi
    mv "$work/grab.png" "$work/last.png"
    sleep 0.2
  done
  mv "$work/grab.png" "$file" 2>/dev/null || mv "$work/last.png" "$file"
  rm -f "$work/last.png"
}

save_window() {   # save_window NAME WINDOW
  geometry "$2"
  grab "$X" "$Y" "$WIDTH" "$HEIGHT" "$out/$1.png"
  echo "wrote docs/screenshots/$1.png (${WIDTH}x${HEIGHT})"
}

# find_colour WINDOW R,G,B: sets BX, BY, BW, BH to the box (relative to the
# window) around the window's pixels of exactly that colour; fails if none.
find_colour() {
  geometry "$1"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/find.png"
  local box
  box=$(convert "$work/find.png" -fill black +opaque "rgb($2)" -fill white -opaque "rgb($2)" \
        -trim -format '%w %h %X %Y' info: 2>/dev/null) || return 1
  read -r BW BH BX BY <<<"$box"
  BX=${BX#+} BY=${BY#+}
  [ "$BW" -gt 1 ] && [ "$BH" -gt 1 ]
}

pixel_is() {   # pixel_is X Y R,G,B (screen coordinates)
  [ "$(import -window root -crop "1x1+$1+$2" +repage -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' info:)" = "$3" ]
}

# start_program EXE_IN_BUILD_TREE [FILE...]: copies the program and the files
# it needs into a fresh folder C:\Programs\<name> and starts it there; sets
# PROGRAM_PID. Whatever still runs at the end is ended with the Wine server.
start_program() {   # start_program EXE [FILES...]; PROGRAM_ARGS are passed to it
  local exe=$1 name
  name=$(basename "$exe" .exe)
  rm -rf "$drive_c/Programs/$name"
  mkdir -p "$drive_c/Programs/$name"
  cp "$@" "$drive_c/Programs/$name/"
  wine "C:\\Programs\\$name\\$(basename "$exe")" ${PROGRAM_ARGS:-} </dev/null >"$work/$name.log" 2>&1 &
  PROGRAM_PID=$!
}

# --- the guard -------------------------------------------------------------

guard_window() { visible_window tamfern.exe '^Tamfern$'; }
# On a bare X display Wine shows the notification area as a small window of
# its own ("Wine System Tray"), the icons in a row at the bottom left.
tray_window() { visible_window explorer.exe; }
guard_ready() { [ -n "$(tray_window)" ] && [ -f "$drive_c/Programs/tamfern/file.dat" ]; }
guard_shown() { [ -n "$(guard_window)" ]; }
# The guard's popup menu: its mapped window that is not the main window.
guard_menu() {
  local main w
  main=$(guard_window)
  for w in $(xdotool search --onlyvisible --classname '^tamfern\.exe$' 2>/dev/null); do
    [ "$w" != "$main" ] && { echo "$w"; return; }
  done
}

# The guard starts hidden; its first start records and locks every
# executable of C:\ (file.dat), then it waits for changes.
start_guard() {
  rm -f "$drive_c/setup.exe" "$drive_c/helper.dll"
  start_program build/$TAMFERN_WINDOWS_TREE/app/tamfern.exe build/$TAMFERN_WINDOWS_TREE/app/ZorSnd.dll
  wait_until 60 guard_ready || fail "the guard did not come up (see $work/tamfern.log)"
  sleep 1
}

# A new executable appears under C:\: the window shows itself with the alarm.
shot_alarm() {
  cp build/$TAMFERN_WINDOWS_TREE/app/tamfern.exe "$drive_c/setup.exe"
  if ! wait_until 5 guard_shown; then
    touch "$drive_c/setup.exe"   # a change the watcher may have missed while arming
    wait_until 10 guard_shown || fail "no alarm for C:\\setup.exe"
  fi
  park_mouse
  save_window alarm "$(guard_window)"
}

# A second file is flagged; the first one is picked with a click, and the
# notice box is scrolled to its first line with a click on its arrow.
shot_details() {
  local w even=230,250,240 odd=250,240,250
  w=$(guard_window)
  cp build/$TAMFERN_WINDOWS_TREE/app/ZorSnd.dll "$drive_c/helper.dll"
  # The second row has the list's other background colour.
  wait_until 10 find_colour "$w" "$odd" || fail "no alarm for C:\\helper.dll"
  # The list's own background (and its first row) has the even-row colour.
  find_colour "$w" "$even" || fail "the file list is not on screen"
  geometry "$w"
  local row_y=$((Y + BY + 12))
  click $((X + BX + 30)) "$row_y"
  # Past the name, the picked row is the focus colour.
  wait_until 5 pixel_is $((X + BX + BW - 8)) "$row_y" 0,0,255 || fail "the click did not pick the first file"
  # The notice box (377 wide) sits 72 pixels left of the list and 152 below
  # it in the stored layout; the list's border is 2. Its up arrow is in its
  # top right corner.
  local list_x=$((X + BX - 2)) list_y=$((Y + BY - 2))
  click $((list_x - 72 + 377 - 10)) $((list_y + 152 + 10))
  park_mouse
  save_window details "$w"
}

# A real right click on the guard's icon opens its menu (hovering 打开);
# then a click on 关闭 ends the program.
shot_tray_menu() {
  local tray menu
  tray=$(tray_window)
  geometry "$tray"
  local tx=$X ty=$Y tw=$WIDTH th=$HEIGHT
  click $((tx + 12)) $((ty + th - 12)) 3   # the first icon's middle
  wait_until 5 eval '[ -n "$(guard_menu)" ]' || fail "the right click on the icon opened no menu"
  menu=$(guard_menu)
  geometry "$menu"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 6))
  local right=$((X + WIDTH > tx + tw ? X + WIDTH : tx + tw))
  local bottom=$((Y + HEIGHT > ty + th ? Y + HEIGHT : ty + th))
  grab "$tx" "$ty" $((right - tx + 8)) $((bottom - ty + 8)) "$out/tray-menu.png"
  echo "wrote docs/screenshots/tray-menu.png"
  click $((X + WIDTH / 2)) $((Y + HEIGHT * 5 / 6))   # 关闭
  wait_until 10 eval '! kill -0 "$PROGRAM_PID" 2>/dev/null' || fail "关闭 did not end the guard"
  rm -f "$drive_c/setup.exe" "$drive_c/helper.dll"
}

# --- the skin previewer ----------------------------------------------------

skinview_window() { visible_window skinview.exe '^Skin preview$'; }

# The previewer with the program's own skin: every control kind, enabled and
# disabled. It is skinned 250 ms after it shows; grab waits for the paint.
shot_skinview() {
  start_program build/$TAMFERN_WINDOWS_TREE/skinview/skinview.exe
  wait_until 30 eval '[ -n "$(skinview_window)" ]' || fail "the previewer did not come up (see $work/skinview.log)"
  park_mouse
  sleep 2
  save_window skinview "$(skinview_window)"
  kill "$PROGRAM_PID" 2>/dev/null || true
  wait "$PROGRAM_PID" 2>/dev/null || true
}

# The previewer with the dark skin, from its skin file.
shot_skinview_dark() {
  PROGRAM_ARGS='C:\Programs\skinview\dark.skn' \
    start_program build/$TAMFERN_WINDOWS_TREE/skinview/skinview.exe build/$TAMFERN_WINDOWS_TREE/res/dark.skn
  wait_until 30 eval '[ -n "$(skinview_window)" ]' || fail "the previewer did not come up (see $work/skinview.log)"
  park_mouse
  sleep 2
  save_window skinview-dark "$(skinview_window)"
  kill "$PROGRAM_PID" 2>/dev/null || true
  wait "$PROGRAM_PID" 2>/dev/null || true
}

# --- the shots, in order ---------------------------------------------------

steps=(start_guard shot_alarm shot_details shot_tray_menu shot_skinview shot_skinview_dark)
for step in "${steps[@]}"; do
  "$step"
done
