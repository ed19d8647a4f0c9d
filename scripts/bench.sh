#!/usr/bin/env bash
# Benchmarks (not tests). Prints the skin decoder's throughput, median of
# several runs, for the program's skin and for an 8 MB container, and the
# window skinning figures (skin load, frame repaint):
#  - natively, from an optimised build without sanitizers (build/bench);
#  - the Windows build under Wine (build/win32, configured by build.sh).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
jobs="$(nproc)"

# --- skin decoder -------------------------------------------------------------
cmake -S "$root" -B "$root/build/bench" -DCMAKE_BUILD_TYPE=Release -DTAMFERN_SANITIZE=OFF \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$root/build/bench" --target bench_lzh lightblue_skin -j "$jobs" >/dev/null
echo "== skin decoder, native (clang, Release, no sanitizers)"
"$root/build/bench/tests/skin/data/bench_lzh" "$root/build/bench/res/lightblue.skn"

if [ -f "$root/build/win32/CMakeCache.txt" ]; then
  cmake --build "$root/build/win32" --target bench_lzh lightblue_skin -j "$jobs" >/dev/null
  bash "$root/scripts/wine-prefix.sh"
  source "$root/scripts/wine-env.sh"
  echo "== skin decoder, Windows build under Wine (mingw-w64 i686, Release)"
  wine "$root/build/win32/tests/skin/data/bench_lzh.exe" "Z:$root/build/win32/res/lightblue.skn"
else
  echo "== skin decoder under Wine: build/win32 is not configured (run scripts/build.sh)"
fi

# --- first-start search -------------------------------------------------------
# FindFiles over generated trees of 10,000 and 100,000 files, against Wine's
# "cmd /c dir /s /b /a" over the same tree in the same run; peak memory must
# not grow with the tree.
if [ -f "$root/build/win32/CMakeCache.txt" ]; then
  cmake --build "$root/build/win32" --target bench_find_files -j "$jobs" >/dev/null
  bash "$root/scripts/wine-prefix.sh"
  source "$root/scripts/wine-env.sh"
  trees="$root/build/bench-trees"
  for n in 10000 100000; do
    [ -d "$trees/tree$n" ] || python3 "$root/tests/support/programs/make_bench_tree.py" "$trees/tree$n" "$n"
    echo "== first-start search, $n files (Windows build under Wine)"
    wine "$root/build/win32/tests/support/programs/bench_find_files.exe" "$(echo "Z:$trees/tree$n" | tr / '\\')"
  done
else
  echo "== first-start search under Wine: build/win32 is not configured (run scripts/build.sh)"
fi

# --- change alarm under a burst ------------------------------------------------
# N executables created in one burst in a watched folder: how many are flagged
# and the median latency from creation to flagging.
if [ -f "$root/build/win32/CMakeCache.txt" ]; then
  cmake --build "$root/build/win32" --target bench_watch -j "$jobs" >/dev/null
  bash "$root/scripts/wine-prefix.sh"
  source "$root/scripts/wine-env.sh"
  source "$root/scripts/display.sh"
  tamfern_display_start
  echo "== change alarm, bursts of 100, 1,000 and 5,000 executables (Windows build under Wine)"
  wine "$root/build/win32/tests/watch/bench_watch.exe" 100 1000 5000 || true
  tamfern_display_stop
else
  echo "== change alarm under Wine: build/win32 is not configured (run scripts/build.sh)"
fi

# --- window skinning ------------------------------------------------------------
# Loading the program's skin (decode, parse, derived images; goal under 30 ms)
# and a full repaint of the skinned main window's frame and caption (goal
# under 16 ms), medians, each against a reference run.
if [ -f "$root/build/win32/CMakeCache.txt" ]; then
  if cmake --build "$root/build/win32" --target bench_skin_window -j "$jobs" >/dev/null; then
    bash "$root/scripts/wine-prefix.sh"
    source "$root/scripts/wine-env.sh"
    source "$root/scripts/display.sh"
    tamfern_display_start
    echo "== window skinning (Windows build under Wine)"
    wine "$root/build/win32/tests/skin/window/bench_skin_window.exe" || echo "   (the window skinning benchmark failed)"
    tamfern_display_stop
  else
    echo "== window skinning: bench_skin_window did not build"
  fi
else
  echo "== window skinning under Wine: build/win32 is not configured (run scripts/build.sh)"
fi

# --- skin previewer repaint -----------------------------------------------------
# A full repaint of skinview's window (every control, frame included) skinned
# by the form and control skinners, against the same window unskinned, in one
# process: the medians and their ratio.
if [ -f "$root/build/win32/CMakeCache.txt" ]; then
  if cmake --build "$root/build/win32" --target bench_skinview -j "$jobs" >/dev/null; then
    bash "$root/scripts/wine-prefix.sh"
    source "$root/scripts/wine-env.sh"
    source "$root/scripts/display.sh"
    tamfern_display_start
    echo "== skin previewer repaint, skinned against unskinned (Windows build under Wine)"
    wine "$root/build/win32/tests/skin/controls/bench_skinview.exe" || echo "   (the previewer benchmark failed)"
    tamfern_display_stop
  else
    echo "== skin previewer repaint: bench_skinview did not build"
  fi
else
  echo "== skin previewer repaint under Wine: build/win32 is not configured (run scripts/build.sh)"
fi
