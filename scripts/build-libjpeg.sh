#!/usr/bin/env bash
# Cross-builds libjpeg-turbo (static, no SIMD) from Debian's source package for one MinGW target.
# Usage: build-libjpeg.sh <i686|x86_64> <install-dir>
set -euo pipefail
arch=$1
prefix=$2
[ -f "$prefix/lib/libjpeg.a" ] && exit 0

here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A private deb-src list so that the system's apt configuration stays untouched.
mkdir -p "$work/sources" "$work/lists/partial"
sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$work/sources/debian-src.sources"
apt_opts=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$work/sources" -o "Dir::State::Lists=$work/lists")
apt-get "${apt_opts[@]}" update -qq
(cd "$work" && apt-get "${apt_opts[@]}" source --download-only -qq libjpeg-turbo)
tar -xf "$work"/libjpeg-turbo_*.orig.tar.gz -C "$work"
src=$(find "$work" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)

cmake -S "$src" -B "$work/build" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/toolchain-mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DWITH_SIMD=OFF -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF > "$work/configure.log"
cmake --build "$work/build" -j "$(nproc)" --target jpeg-static > "$work/build.log"
mkdir -p "$prefix/lib" "$prefix/include"
cp "$work/build/libjpeg.a" "$prefix/lib/libjpeg.a"
cp "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" "$work/build/jconfig.h" "$prefix/include/"
