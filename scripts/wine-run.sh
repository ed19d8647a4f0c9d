#!/usr/bin/env bash
# Runs a Windows executable under the project's Wine prefix (CTest's emulator).
# A test that CTest gave a lane runs on that lane's display and prefix.
lane="${CTEST_RESOURCE_GROUP_0_LANES:-}"
if [ -n "$lane" ]; then
  lane="${lane#id:}"
  source "$(dirname "${BASH_SOURCE[0]}")/../build/lanes/lane-${lane%%,*}.env"
fi
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
exec wine "$@"
