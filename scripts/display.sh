# Sourced: starts a virtual X display when none is set, and a persistent
# wineserver; tamfern_display_stop ends what was started here.
_tamfern_xvfb_pid=""
tamfern_display_start() {
  if [ -z "${DISPLAY:-}" ]; then
    local n=99
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    # A session of its own: Ctrl+C in the terminal must not end the display
    # before the Wine processes that draw on it; tamfern_display_stop does.
    setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    _tamfern_xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
  # One wineserver for the whole run keeps each process start fast; wineboot
  # first so that Wine's services do not hold the caller's pipes. A server
  # that already runs for this prefix answers non-zero and is kept.
  wineserver -p 2>/dev/null || true
  wine wineboot </dev/null >/dev/null 2>&1 || true
}
# Whether tamfern_display_start started the display itself.
tamfern_display_is_virtual() {
  [ -n "$_tamfern_xvfb_pid" ]
}
tamfern_display_stop() {
  # -k ends every process of the prefix and the server; -w waits until the
  # server is gone, so nothing of the run outlives the caller.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  if [ -n "$_tamfern_xvfb_pid" ]; then
    kill "$_tamfern_xvfb_pid" 2>/dev/null || true
    wait "$_tamfern_xvfb_pid" 2>/dev/null || true
  fi
}
