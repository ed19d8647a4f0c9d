#!/usr/bin/env bash
# Installs what is missing, builds both trees and runs every test: the native
# sanitizer tests and fuzzers, then the Windows tests under Wine on a virtual
# display. Exits non-zero when any test fails.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/prepare.sh

source scripts/wine-env.sh
source scripts/display.sh
trap tamfern_display_stop EXIT
tamfern_display_start

status=0
ctest --test-dir build/native --output-on-failure -j "$(nproc)" || status=1
ctest --test-dir build/win32 --output-on-failure || status=1
exit $status
