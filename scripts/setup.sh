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
          googletest libgtest-dev libjpeg62-turbo-dev
          locales clang libclang-rt-14-dev)

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

# The program's texts are GBK: Wine takes code page 936 only from an installed Chinese locale.
if ! locale -a 2> /dev/null | grep -qix 'zh_CN.utf8'; then
    echo "setup: generating the zh_CN.UTF-8 locale"
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen 2> /dev/null ||
        echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen > /dev/null
    as_root locale-gen > /dev/null
fi

for arch in i686 x86_64; do
    if [ ! -f "$deps/libjpeg-$arch/lib/libjpeg.a" ]; then
        echo "setup: cross-building libjpeg-turbo for $arch"
        "$here/scripts/build-libjpeg.sh" "$arch" "$deps/libjpeg-$arch"
    fi
done
