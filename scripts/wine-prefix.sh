#!/usr/bin/env bash
# Creates the project's Wine prefix once, with the settings the program and
# its tests need.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

stamp="$WINEPREFIX/.tamfern-prefix-2"
[ -f "$stamp" ] && exit 0

rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
wineboot -i >/dev/null 2>&1 </dev/null
wineserver -w

# Without Wine's own fonts caption glyphs draw as boxes or digits.
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true

reg() { wine reg add "$@" /f >/dev/null 2>&1 </dev/null; }
# Unmanaged windows: a managed hide or destroy waits 2 s for the window manager.
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
# No audio driver: keeps ALSA quiet on machines without sound.
reg 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d ''
wineserver -w

# The user shell folders link into the host's home; a walk of C:\ must stay
# inside the prefix.
for link in "$WINEPREFIX"/drive_c/users/*/*; do
  if [ -L "$link" ]; then
    rm -f "$link"
    mkdir -p "$link"
  fi
done

touch "$stamp"
