#!/usr/bin/env bash
# Everything the run and test commands need first: the tools, both builds and
# the project's Wine prefix.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
bash "$root/scripts/wine-prefix.sh"
