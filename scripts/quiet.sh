# Sourced: tamfern_quiet <label> <command ...> runs a command with its output
# going to build/logs/<label>.log and shows it as one progress line (the
# percentage a build prints). On failure it prints the log's path and its
# last lines, and returns the command's status.
tamfern_quiet() {
  local label=$1
  shift
  local logs
  logs="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/logs"
  mkdir -p "$logs"
  local log="$logs/$label.log" status
  printf '%s ...' "$label"
  { "$@"; echo $? >"$log.status"; } 2>&1 | tee "$log" | awk -v label="$label" '
    match($0, /^\[ *[0-9]+%\]/) {
      p = substr($0, RSTART + 1, RLENGTH - 2); gsub(/ /, "", p)
      if (p != last) { printf "\r%s %s ", label, p; fflush(); last = p }
    }'
  status=$(cat "$log.status" 2>/dev/null || echo 1)
  rm -f "$log.status"
  if [ "$status" -eq 0 ]; then
    printf '\r%s: done      \n' "$label"
  else
    printf '\r%s: FAILED (exit %s); full log: %s\n' "$label" "$status" "$log"
    tail -n 40 "$log"
  fi
  return "$status"
}
