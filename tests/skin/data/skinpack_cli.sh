#!/usr/bin/env bash
# The skinpack command line: list, decode, unpack/pack, stream, and clear
# refusals of malformed skin files.
#   skinpack_cli.sh <skinpack> <lightblue.skn> <work folder>
set -uo pipefail
skinpack="$1"
skin="$2"
work="$3"
rm -rf "$work" && mkdir -p "$work"
fails=0
check() {   # check <description> <condition...>
  local what="$1"; shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; fails=$((fails + 1)); fi
}
run() {     # run <command...>: sets rc, out (stdout and stderr)
  out="$("$@" 2>&1)"; rc=$?
}

run "$skinpack" list "$skin"
check "list succeeds" test "$rc" -eq 0
check "list shows the version" grep -q "^version  20000" <<<"$out"
check "list shows the 25th entry" grep -Eq "^ +25 +[0-9]+  lightblue.ini$" <<<"$out"
check "list shows the data offset" grep -q "entry data at 660" <<<"$out"

run "$skinpack" decode "$skin" "$work/container"
declared=$(od -An -tu4 -N4 "$skin" | tr -d ' ')
check "decode succeeds" test "$rc" -eq 0
check "decode writes the declared length" test "$(stat -c %s "$work/container")" -eq "$declared"
check "the container starts with version 20000" test "$(od -An -tu4 -N4 "$work/container" | tr -d ' ')" -eq 20000

run "$skinpack" unpack "$skin" "$work/unpacked"
check "unpack succeeds" test "$rc" -eq 0
check "unpack writes the list" test "$(grep -c . "$work/unpacked/entries.lst")" -eq 34
run "$skinpack" pack "$work/unpacked" "$work/repacked.skn"
check "pack succeeds" test "$rc" -eq 0
check "unpack then pack gives the same skin file" cmp -s "$skin" "$work/repacked.skn"

run "$skinpack" stream "$skin" "$work/block"
check "stream succeeds" test "$rc" -eq 0
check "the block is the file behind its length" cmp -s "$skin" <(tail -c +5 "$work/block")
check "the block's length field" test "$(od -An -tu4 -N4 "$work/block" | tr -d ' ')" -eq "$(stat -c %s "$skin")"

# Malformed skin files: a clear message and exit status 1, for every command.
printf 'abc' > "$work/short.skn"
printf '\377\377\377\377abcdefgh' > "$work/negative.skn"
printf '\000\000\000\100abcdefgh' > "$work/huge.skn"
head -c 200 "$skin" > "$work/truncated.skn"
printf '\020\000\000\000\000\000\000\000' > "$work/zero-bits.skn"
for bad in short:shorter negative:negative huge:"can hold" truncated:"can hold" zero-bits:"not a readable skin file"; do
  name="${bad%%:*}"; why="${bad#*:}"
  for cmd in list stream unpack; do
    if [ "$cmd" = list ]; then run "$skinpack" list "$work/$name.skn"; else run "$skinpack" "$cmd" "$work/$name.skn" "$work/out-$name"; fi
    check "$cmd refuses $name.skn" test "$rc" -eq 1
    check "$cmd says why for $name.skn" grep -q "$why" <<<"$out"
  done
done
run "$skinpack" decode "$work/short.skn" "$work/out"
check "decode refuses a 3-byte file" test "$rc" -eq 1
run "$skinpack" pack "$work/no-such-folder" "$work/out.skn"
check "pack reports a missing list" test "$rc" -eq 1 -a -n "$out"
run "$skinpack"
check "no arguments print the usage" test "$rc" -eq 2

[ "$fails" -eq 0 ] && echo "all passed" || echo "$fails failed"
exit $(( fails > 0 ))
