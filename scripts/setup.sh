#!/usr/bin/env bash
# Installs what building and testing Quorvel needs on Debian 12, and only what is missing.
# Idempotent: when everything is there it changes nothing.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
deps=${QUORVEL_DEPS:-$here/build/deps}

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

packages=(cmake make g++ python3 python3-pil
          g++-mingw-w64-i686 g++-mingw-w64-x86-64
          wine wine32:i386 wine64 xvfb xdotool imagemagick
          fonts-wqy-microhei fonts-droid-fallback
          googletest libgtest-dev libjpeg62-turbo-dev)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
    as_root apt-get update -q
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2> /dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
fi

for arch in i686 x86_64; do
    if [ ! -f "$deps/libjpeg-$arch/lib/libjpeg.a" ]; then
        echo "setup: cross-building libjpeg-turbo for $arch"
        "$here/scripts/build-libjpeg.sh" "$arch" "$deps/libjpeg-$arch"
    fi
done
