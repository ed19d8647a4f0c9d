#!/usr/bin/env bash
# Installs what is missing, builds both trees and runs every test: the native
# sanitizer tests and fuzzers, then the Windows tests under Wine in parallel
# lanes (each a virtual display and a Wine prefix of its own). Exits non-zero
# when any test fails. TAMFERN_LANES sets the number of lanes.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/prepare.sh

lanes="${TAMFERN_LANES:-3}"
source scripts/lanes.sh
trap tamfern_lanes_stop EXIT
tamfern_lanes_start "$lanes"

status=0
ctest --test-dir build/native --output-on-failure -j "$(nproc)" || status=1
ctest --test-dir "build/$TAMFERN_WINDOWS_TREE" --output-on-failure -j "$lanes" \
  --resource-spec-file "$TAMFERN_LANES_DIR/resources.json" || status=1
bash scripts/slowest.sh build/native "build/$TAMFERN_WINDOWS_TREE" || true
exit $status
