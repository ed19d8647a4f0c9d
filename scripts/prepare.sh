#!/usr/bin/env bash
# Everything the run and test commands need first: the tools, both builds and
# the project's Wine prefix. Each step is one line; full output in build/logs/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/quiet.sh"
tamfern_quiet "tools" bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
tamfern_quiet "Wine prefix" bash "$root/scripts/wine-prefix.sh"
