#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine (run as root).
# Safe to run again: it installs only what is missing.
set -euo pipefail

need=()
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  apt_updated=0
fi

pkgs=(cmake make g++ clang libclang-rt-14-dev mingw-w64 g++-mingw-w64-i686-posix
      wine wine32:i386 wine64 fonts-wine xvfb xauth x11-utils xdotool imagemagick fonts-wqy-microhei
      locales doctest-dev python3 sox openssl osslsigncode)
for p in "${pkgs[@]}"; do have_pkg "$p" || need+=("$p"); done

if [ ${#need[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# Wine needs the zh_CN locale compiled to convert GBK command lines and file names.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
  localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
