#!/bin/sh
# Installs the cross toolchain and Wine from Debian 12's packages, then fetches
# GLFW's source package and cross-builds its Win32 back end, and GoogleTest, as
# static libraries into build-windows/deps/ (never committed). Safe to rerun:
# finished steps are skipped.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
deps=$root/build-windows/deps
toolchain=$root/cmake/mingw-w64.cmake

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

packages="cmake make dpkg-dev googletest
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine64 xvfb xdotool x11-utils imagemagick python3
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils"

sh tools/install-packages $packages

# GLFW's source comes from the archive and suite this machine already uses: their
# deb entries are copied as deb-src entries, read here at run time.
source_list=/etc/apt/sources.list.d/cubesaver-deb-src.sources
has_deb_src() {
  grep -qs '^Types:.*deb-src' /etc/apt/sources.list.d/*.sources ||
    grep -qs '^[[:space:]]*deb-src[[:space:]]' /etc/apt/sources.list /etc/apt/sources.list.d/*.list
}
if ! has_deb_src; then
  entries=$(mktemp)
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    sed -n 's/^Types:.*\bdeb\b.*$/Types: deb-src/; /^#/d; p' "$f" >>"$entries"
    echo >>"$entries"
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f" >>"$entries.list"
  done 2>/dev/null
  [ -s "$entries" ] && as_root cp "$entries" "$source_list"
  [ -s "$entries.list" ] && as_root cp "$entries.list" /etc/apt/sources.list.d/cubesaver-deb-src.list
  rm -f "$entries" "$entries.list"
  as_root apt-get -o DPkg::Lock::Timeout=900 update -qq
fi

mkdir -p "$deps/src"
if [ ! -f "$deps/glfw/lib/cmake/glfw3/glfw3Config.cmake" ]; then
  if ! ls -d "$deps"/src/glfw3-*/ >/dev/null 2>&1; then
    (cd "$deps/src" && apt-get source -qq glfw3 >/dev/null 2>&1 || (cd "$deps/src" && apt-get source glfw3))
  fi
  glfw_src=$(ls -d "$deps"/src/glfw3-*/ | head -n 1)
  cmake -S "$glfw_src" -B "$deps/build/glfw" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DGLFW_BUILD_EXAMPLES=OFF -DGLFW_BUILD_TESTS=OFF -DGLFW_BUILD_DOCS=OFF -DBUILD_SHARED_LIBS=OFF \
    -DCMAKE_INSTALL_PREFIX="$deps/glfw" >/dev/null
  cmake --build "$deps/build/glfw" -j2 >/dev/null
  cmake --install "$deps/build/glfw" >/dev/null
fi

if [ ! -f "$deps/gtest/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$deps/build/gtest" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF -DCMAKE_INSTALL_PREFIX="$deps/gtest" >/dev/null
  cmake --build "$deps/build/gtest" -j2 >/dev/null
  cmake --install "$deps/build/gtest" >/dev/null
fi
