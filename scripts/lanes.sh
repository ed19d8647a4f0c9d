# Sourced: lanes for running the Windows tests side by side. Each lane has a
# virtual display and a Wine prefix of its own (so its own C:\), with one
# wineserver kept alive for the run. CTest hands lanes out as resources
# (build/lanes/resources.json); scripts/wine-run.sh reads which lane a test
# got and runs it there. tamfern_lanes_stop ends every display and server.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
source "$(dirname "${BASH_SOURCE[0]}")/display.sh"

TAMFERN_LANES_DIR="$TAMFERN_ROOT/build/lanes"
_tamfern_lane_xvfb=()
_tamfern_lane_prefixes=()

# tamfern_lane_prefix <i>: lane 0 uses the project's prefix, the others a
# copy of it, made again whenever the project's prefix is newer.
tamfern_lane_prefix() {
  local base="$TAMFERN_ROOT/build/wine"
  if [ "$1" = 0 ]; then echo "$base"; return; fi
  local copy="$TAMFERN_ROOT/build/wine-lane$1" stamp
  stamp=$(ls "$base"/.tamfern-prefix-* | head -n 1)
  if [ ! -f "$copy/.tamfern-lane" ] || [ "$stamp" -nt "$copy/.tamfern-lane" ]; then
    rm -rf "$copy"
    cp -a "$base" "$copy"
    touch "$copy/.tamfern-lane"
  fi
  echo "$copy"
}

# tamfern_desktop_hold: keeps the prefix's desktop open until its server
# ends (tests/kit/desktop_hold.cpp says why). Without the program (tests not
# built) the lane runs without it.
tamfern_desktop_hold() {
  local hold="$TAMFERN_ROOT/build/$TAMFERN_WINDOWS_TREE/tests/kit/desktop_hold.exe"
  [ -f "$hold" ] || return 0
  setsid wine "$hold" </dev/null >/dev/null 2>&1 &
}

# tamfern_lanes_start <count>: starts the lanes and writes the resource file.
tamfern_lanes_start() {
  local count=$1 i starts=()
  rm -rf "$TAMFERN_LANES_DIR"
  mkdir -p "$TAMFERN_LANES_DIR"
  local json='{"version":{"major":1,"minor":0},"local":[{"lanes":['
  # Copies first: no server may write to the project's prefix meanwhile.
  for ((i = 0; i < count; i++)); do
    _tamfern_lane_prefixes+=("$(tamfern_lane_prefix "$i")")
  done
  for ((i = 0; i < count; i++)); do
    local prefix=${_tamfern_lane_prefixes[$i]}
    tamfern_xvfb_start
    _tamfern_lane_xvfb+=("$_tamfern_xvfb_started_pid")
    cat >"$TAMFERN_LANES_DIR/lane-$i.env" <<ENV
export TAMFERN_WINEPREFIX='$prefix'
export DISPLAY='$_tamfern_xvfb_started_display'
export XENVIRONMENT='$TAMFERN_XRESOURCES'
export TAMFERN_LANE=$i
ENV
    (export WINEPREFIX="$prefix" DISPLAY="$_tamfern_xvfb_started_display" XENVIRONMENT="$TAMFERN_XRESOURCES"
      tamfern_wine_start && tamfern_desktop_hold) &
    starts+=($!)
    if [ "$i" -gt 0 ]; then json+=','; fi
    json+="{\"id\":\"$i\",\"slots\":1}"
  done
  wait "${starts[@]}"
  json+=']}]}'
  echo "$json" >"$TAMFERN_LANES_DIR/resources.json"
}

tamfern_lanes_stop() {
  local prefix pid stops=()
  for prefix in "${_tamfern_lane_prefixes[@]}"; do
    (WINEPREFIX="$prefix" tamfern_wine_stop) &
    stops+=($!)
  done
  [ ${#stops[@]} -eq 0 ] || wait "${stops[@]}"
  for pid in "${_tamfern_lane_xvfb[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$TAMFERN_LANES_DIR"
}
