# Sourced: the environment every Wine call of the project runs with.
TAMFERN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export TAMFERN_ROOT
export WINEPREFIX="${TAMFERN_WINEPREFIX:-$TAMFERN_ROOT/build/wine}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
# zh_CN gives the ANSI code page 936 (GBK).
export LC_ALL=zh_CN.UTF-8
# The Windows build that runs here: the 32-bit program, or, on a machine whose
# kernel runs no 32-bit user code (i386 programs fail with "Exec format
# error"), the 64-bit build of the same sources under Wine's 64-bit loader.
if [ -z "${TAMFERN_WINDOWS_TREE:-}" ]; then
  if [ ! -x /usr/lib/wine/wine ] || /usr/lib/wine/wine --version >/dev/null 2>&1; then
    TAMFERN_WINDOWS_TREE=win32
  else
    TAMFERN_WINDOWS_TREE=win64
  fi
fi
export TAMFERN_WINDOWS_TREE
if [ "$TAMFERN_WINDOWS_TREE" = win64 ]; then
  export WINELOADER=/usr/lib/wine/wine64
  case ":$PATH:" in
    *":$TAMFERN_ROOT/scripts/wine64:"*) ;;
    *) export PATH="$TAMFERN_ROOT/scripts/wine64:$PATH" ;;
  esac
fi
