#!/usr/bin/env bash
# Installs what is missing, builds, and runs the guard under Wine (on a
# virtual display when there is none) until it is closed.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

bash scripts/prepare.sh

source scripts/wine-env.sh
source scripts/display.sh
trap tamfern_display_stop EXIT
tamfern_display_start

wine "$root/build/win32/app/tamfern.exe"
