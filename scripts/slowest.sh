#!/usr/bin/env bash
# Prints the ten slowest test cases of the last CTest run of each build tree
# named (every test program prints its cases' durations).
set -u
for tree in "$@"; do
  log="$tree/Testing/Temporary/LastTest.log"
  [ -f "$log" ] && awk '
    /^[0-9]+\/[0-9]+ Test: / { program = $3 }
    /^[0-9]+\.[0-9]+ s: / { seconds = $1; sub(/^[0-9.]+ s: /, ""); printf "%8.1f s  %s: %s\n", seconds, program, $0 }
  ' "$log"
done | sort -rn | awk 'NR == 1 { print "The ten slowest test cases:" } NR <= 10'
