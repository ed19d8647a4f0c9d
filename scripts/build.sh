#!/usr/bin/env bash
# Builds the native tree (host tools, sanitizer tests, fuzzers) and then the
# 32-bit Windows tree (the program, its sound library, the Wine tests). On a
# machine that runs no 32-bit programs the Windows tests come from a 64-bit
# build of the same sources (build/win64), and the 32-bit tree builds the
# programs only. Each tree is one progress line; full output in build/logs/.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="$(nproc)"
source "$root/scripts/quiet.sh"
source "$root/scripts/wine-env.sh"

tamfern_quiet "native build" bash -c "
  cmake -S '$root' -B '$root/build/native' -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ &&
  cmake --build '$root/build/native' -j $jobs"

# windows_tree <tree> <toolchain> <tests ON|OFF>
windows_tree() {
  tamfern_quiet "$1 build" bash -c "
    cmake -S '$root' -B '$root/build/$1' -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE='$root/cmake/$2' -DTAMFERN_TESTS=$3 \
      -DTAMFERN_HOST_TOOLS='$root/build/native/tools' &&
    cmake --build '$root/build/$1' -j $jobs"
}
if [ "$TAMFERN_WINDOWS_TREE" = win32 ]; then
  windows_tree win32 mingw-i686.cmake ON
else
  windows_tree win32 mingw-i686.cmake OFF
  windows_tree win64 mingw-x86_64.cmake ON
fi
