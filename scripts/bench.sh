#!/usr/bin/env bash
# Benchmarks (not tests): they print figures (medians of several runs, with a
# reference alongside) and never fail on time. Each step says what it
# measures; a step that cannot run says so, and the others still run.
#  - the skin decoder, natively (optimised build, no sanitizers) and the
#    Windows build under Wine;
#  - window skinning: loading the program's skin (goal under 30 ms) and a
#    full repaint of the skinned main window's frame and caption (goal under
#    16 ms);
#  - the skin previewer's full repaint, skinned against unskinned;
#  - the first-start search over generated trees of 10,000 and 100,000 files;
#  - the watcher alone under a burst, with a light handler;
#  - the real guard under bursts of 1,000, 5,000 and 20,000 new executables
#    (names of 10 and 150 characters), and its alarm latency for single files;
#  - the watcher's rescan of a 100,000-file tree;
#  - SHA-256 of a 200 MB file by the Windows build (the system's CryptoAPI)
#    under Wine, against sha256sum on the same file.
# Arguments, when given, choose the steps by name (skin_native skin_wine
# skin_window skinview_repaint first_start_search watcher_alone guard_bursts
# guard_latency rescan_cost file_hash); without arguments every step runs.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
jobs="$(nproc)"
source "$root/scripts/wine-env.sh"
win32="$root/build/$TAMFERN_WINDOWS_TREE"   # the Windows build that runs here
trees="$root/build/bench-trees"
unavailable=0

chosen=" $* "
# step <title> <function>: runs one benchmark; its failure is reported, not fatal.
step() {
  if [ "$chosen" != "  " ] && [[ "$chosen" != *" $2 "* ]]; then return 0; fi
  echo "== $1"
  if ! "$2"; then
    echo "   (could not run: see the messages above)"
    unavailable=$((unavailable + 1))
  fi
}

# The Windows build, the prefix and one display for every step under Wine.
wine_ready=""
wine_ready() {
  if [ -z "$wine_ready" ]; then
    if [ ! -f "$win32/CMakeCache.txt" ]; then
      echo "   build/$TAMFERN_WINDOWS_TREE is not configured (run scripts/build.sh)"
      wine_ready=no
    elif bash "$root/scripts/wine-prefix.sh"; then
      source "$root/scripts/wine-env.sh"
      source "$root/scripts/display.sh"
      tamfern_display_start
      trap tamfern_display_stop EXIT
      # The previewer's bench adds the X server's CPU time when it knows it.
      [ -n "$_tamfern_xvfb_pid" ] && export TAMFERN_XSERVER_PID="$_tamfern_xvfb_pid"
      wine_ready=yes
    else
      wine_ready=no
    fi
  fi
  [ "$wine_ready" = yes ]
}

build_win32() { wine_ready && cmake --build "$win32" --target "$@" -j "$jobs" >/dev/null; }

tree() {   # tree <files>: a generated tree, made once
  [ -d "$trees/tree$1" ] || python3 "$root/tests/support/programs/make_bench_tree.py" "$trees/tree$1" "$1"
}

wine_path() { echo "Z:$1" | tr / '\\'; }

skin_native() {
  cmake -S "$root" -B "$root/build/bench" -DCMAKE_BUILD_TYPE=Release -DTAMFERN_SANITIZE=OFF \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null &&
    cmake --build "$root/build/bench" --target bench_lzh lightblue_skin -j "$jobs" >/dev/null &&
    "$root/build/bench/tests/skin/data/bench_lzh" "$root/build/bench/res/lightblue.skn"
}

skin_wine() {
  build_win32 bench_lzh lightblue_skin &&
    wine "$win32/tests/skin/data/bench_lzh.exe" "$(wine_path "$win32/res/lightblue.skn")"
}

first_start_search() {
  build_win32 bench_find_files || return 1
  local n
  for n in 10000 100000; do
    tree "$n" || return 1
    echo "-- $n files"
    wine "$win32/tests/support/programs/bench_find_files.exe" "$(wine_path "$trees/tree$n")" || return 1
  done
}

skin_window() {
  build_win32 bench_skin_window && wine "$win32/tests/skin/window/bench_skin_window.exe"
}

skinview_repaint() {
  build_win32 bench_skinview && wine "$win32/tests/skin/controls/bench_skinview.exe"
}

watcher_alone() {
  build_win32 bench_watch && wine "$win32/tests/watch/bench_watch.exe" 100 1000 5000
}

guard_bursts() {
  build_win32 bench_guard tamfern && wine "$win32/tests/app/bench_guard.exe" burst 3 1000 5000 20000
}

guard_latency() {
  build_win32 bench_guard tamfern && wine "$win32/tests/app/bench_guard.exe" latency 25
}

rescan_cost() {
  build_win32 bench_rescan && tree 100000 &&
    wine "$win32/tests/watch/bench_rescan.exe" "$(wine_path "$trees/tree100000")" 3
}

file_hash() {
  build_win32 bench_file_hash || return 1
  local file="$trees/hash200.bin"
  mkdir -p "$trees"
  # Incompressible contents, made once: a sparse file would measure nothing but the hash.
  [ -f "$file" ] || head -c 200000000 /dev/urandom > "$file" || return 1
  local line hex ms rate ref_ms ref_hex t0 t1 i times=()
  line="$(wine "$win32/tests/support/programs/bench_file_hash.exe" "$(wine_path "$file")" 3 | tr -d '\r')" || return 1
  read -r hex ms rate <<<"$line"
  for i in 1 2 3; do
    t0=$(date +%s%N)
    ref_hex="$(sha256sum "$file" | cut -d' ' -f1)"
    t1=$(date +%s%N)
    times+=($(( (t1 - t0) / 1000000 )))
  done
  ref_ms="$(printf '%s\n' "${times[@]}" | sort -n | sed -n 2p)"
  [ "$hex" = "$ref_hex" ] || { echo "   the hashes differ: $hex against $ref_hex"; return 1; }
  echo "   200 MB: Windows build under Wine ${ms} ms (${rate} MB/s), sha256sum ${ref_ms} ms (medians of 3)"
  awk -v a="$ms" -v b="$ref_ms" 'BEGIN { if (b > 0) printf "   ratio (Wine time / sha256sum time): %.2f\n", a / b }'
}

step "skin decoder, native (clang, Release, no sanitizers)" skin_native
step "skin decoder, Windows build under Wine (mingw-w64 i686, Release)" skin_wine
step "window skinning: skin load and frame repaint (Windows build under Wine)" skin_window
step "skin previewer repaint, skinned against unskinned (Windows build under Wine)" skinview_repaint
step "first-start search against 'dir /s /b /a' (Windows build under Wine)" first_start_search
step "watcher alone, light handler: bursts of 100, 1,000 and 5,000 executables" watcher_alone
step "the real guard under bursts of new executables made by another program" guard_bursts
step "the real guard's alarm latency for single files (goal: median under 50 ms)" guard_latency
step "the watcher's rescan of a 100,000-file tree, against FindFiles over it" rescan_cost
step "SHA-256 of a 200 MB file: Windows build under Wine (CryptoAPI) against sha256sum" file_hash
[ "$unavailable" -eq 0 ] || echo "== $unavailable step(s) could not run"
exit 0
