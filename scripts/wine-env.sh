# Sourced: the environment every Wine call of the project runs with.
TAMFERN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export TAMFERN_ROOT
export WINEPREFIX="${TAMFERN_WINEPREFIX:-$TAMFERN_ROOT/build/wine}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
# zh_CN gives the ANSI code page 936 (GBK).
export LC_ALL=zh_CN.UTF-8
