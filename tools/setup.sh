#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine, as root.
# Idempotent: packages already present are not asked for again.
set -euo pipefail

packages=(
  wine wine32:i386 wine64 fonts-wine
  g++-mingw-w64-i686-posix
  g++ clang clang-format libclang-rt-14-dev cmake ninja-build
  googletest
  xvfb xauth x11-utils
  imagemagick
  python3 libx11-6
  fp-utils apache2-doc
  nsis zip unzip icoutils
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
  echo "setup: installing ${missing[*]:-nothing (refreshing lists)}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  if [ ${#missing[@]} -gt 0 ]; then
    "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
  fi
else
  echo "setup: every package is present"
fi
