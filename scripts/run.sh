#!/usr/bin/env bash
# Installs what is missing, builds, and runs the guard under Wine (on a
# virtual display when there is none) until it is closed or Ctrl+C is pressed.
#   bash scripts/run.sh skinview [skin file] [--unskinned]
# runs the skin previewer instead: every control the skin engine draws, with
# the program's own skin or the skin of the file named.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/prepare.sh

source scripts/wine-env.sh
source scripts/display.sh
trap tamfern_display_stop EXIT
trap 'exit 130' INT TERM HUP
tamfern_display_start
if [ "$TAMFERN_WINDOWS_TREE" = win64 ]; then
  echo "This machine runs no 32-bit programs: running the 64-bit build of the same sources."
fi

if [ "${1:-}" = skinview ]; then
  shift
  args=()
  for arg in "$@"; do
    # A skin file is named to Wine by its Windows path.
    if [ -f "$arg" ]; then args+=("$(winepath -w "$arg")"); else args+=("$arg"); fi
  done
  echo "The skin previewer runs on display $DISPLAY; close its window or press Ctrl+C to stop."
  if tamfern_display_is_virtual; then
    echo "Take a look: DISPLAY=$DISPLAY import -window root shot.png"
  fi
  wine "$root/build/$TAMFERN_WINDOWS_TREE/skinview/skinview.exe" "${args[@]}" </dev/null &
  wait $!
  exit
fi

wine "$root/build/$TAMFERN_WINDOWS_TREE/app/tamfern.exe" </dev/null &
guard=$!

# Up once its main window exists (it stays hidden until an alarm).
for _ in $(seq 600); do
  kill -0 "$guard" 2>/dev/null || break
  xdotool search --classname '^tamfern\.exe$' >/dev/null 2>&1 && break
  sleep 0.1
done

if kill -0 "$guard" 2>/dev/null; then
  drive_c="$WINEPREFIX/drive_c"
  echo
  if tamfern_display_is_virtual; then
    echo "Tamfern is running on virtual display $DISPLAY (no display was set)."
  else
    echo "Tamfern is running on display $DISPLAY: its icon is in the notification area"
    echo "(or in Wine's own tray window); click it to show the window."
  fi
  cat <<INFO
Its drive C:\\ is the folder $drive_c
Trigger an alarm: drop any .exe into that folder, for example
    cp $(printf '%q' "$root/build/$TAMFERN_WINDOWS_TREE/app/tamfern.exe") $(printf '%q' "$drive_c")/new-\$(date +%s).exe
INFO
  if tamfern_display_is_virtual; then
    echo "Take a look (the window shows itself on an alarm):"
    echo "    DISPLAY=$DISPLAY import -window root shot.png"
    echo "Stop: press Ctrl+C; it ends the guard, its Wine processes and display $DISPLAY."
  else
    echo "Stop: press Ctrl+C (or choose 关闭 in the icon's menu); it ends the guard and its Wine processes."
  fi
  echo
fi

wait "$guard"
