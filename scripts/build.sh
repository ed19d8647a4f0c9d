#!/usr/bin/env bash
# Builds the native tree (host tools, sanitizer tests, fuzzers) and then the
# 32-bit Windows tree (the program, its sound library, the Wine tests).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="$(nproc)"

cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$root/build/native" -j "$jobs"

cmake -S "$root" -B "$root/build/win32" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DTAMFERN_HOST_TOOLS="$root/build/native/tools" >/dev/null
cmake --build "$root/build/win32" -j "$jobs"
