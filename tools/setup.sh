#!/bin/sh
# Installs what the build and the tests need from Debian 12's packages, then
# configures and builds into build/. Used by the run and test commands;
# `sh tools/setup.sh --packages-only` stops after the packages (the release
# command makes builds of its own).
set -eu
cd "$(dirname "$0")/.."

# Every package by name: a fresh machine installs no Recommends here, so one that
# only another package recommends (libxrandr-dev, which GLFW's native header
# includes) must stand in this list itself.
packages="build-essential cmake pkg-config python3
  libglfw3-dev libx11-dev libxrandr-dev libxft-dev libgl-dev libgl1-mesa-dri
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-utils imagemagick fonts-liberation xscreensaver openbox
  dpkg-dev file groff-base"

sh tools/install-packages $packages
[ "${1:-}" = --packages-only ] && exit 0

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
