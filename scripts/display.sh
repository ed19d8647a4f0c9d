# Sourced: starts a virtual X display when none is set, and a persistent
# wineserver; tamfern_display_stop ends what was started here.
_tamfern_xvfb_pid=""
# tamfern_xvfb_start: a new virtual display on the first free number; sets
# _tamfern_xvfb_started_pid and _tamfern_xvfb_started_display. Programs on it
# take their X resources from scripts/xresources (it says why).
TAMFERN_XRESOURCES="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/xresources"
tamfern_xvfb_start() {
  local n=99
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  # A session of its own: Ctrl+C in the terminal must not end the display
  # before the Wine processes that draw on it; the stop function does.
  setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  _tamfern_xvfb_started_pid=$!
  _tamfern_xvfb_started_display=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
}
# tamfern_wine_start: one wineserver for the current prefix, kept for the
# whole run, so each process start is fast; wineboot first so that Wine's
# services do not hold the caller's pipes. A server that already runs for
# this prefix answers non-zero and is kept.
tamfern_wine_start() {
  wineserver -p 2>/dev/null || true
  wine wineboot </dev/null >/dev/null 2>&1 || true
}
# tamfern_wine_stop: -k ends every process of the prefix and the server; -w
# waits until the server is gone, so nothing of the run outlives the caller.
tamfern_wine_stop() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}
tamfern_display_start() {
  if [ -z "${DISPLAY:-}" ]; then
    tamfern_xvfb_start
    _tamfern_xvfb_pid=$_tamfern_xvfb_started_pid
    export DISPLAY=$_tamfern_xvfb_started_display
    export XENVIRONMENT="$TAMFERN_XRESOURCES"
  fi
  tamfern_wine_start
}
# Whether tamfern_display_start started the display itself.
tamfern_display_is_virtual() {
  [ -n "$_tamfern_xvfb_pid" ]
}
tamfern_display_stop() {
  tamfern_wine_stop
  if [ -n "$_tamfern_xvfb_pid" ]; then
    kill "$_tamfern_xvfb_pid" 2>/dev/null || true
    wait "$_tamfern_xvfb_pid" 2>/dev/null || true
  fi
}
