#!/bin/sh
# Installs what the build and the tests need from Debian 12's packages, then
# configures and builds into build/. Used by the run and test commands.
set -eu
cd "$(dirname "$0")/.."

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# Every package by name: a fresh machine installs no Recommends here, so one that
# only another package recommends (libxrandr-dev, which GLFW's native header
# includes) must stand in this list itself.
packages="build-essential cmake pkg-config python3
  libglfw3-dev libx11-dev libxrandr-dev libxft-dev libgl-dev libgl1-mesa-dri
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-utils imagemagick fonts-liberation xscreensaver openbox
  dpkg-dev file groff-base"

missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  log=$(mktemp)
  # Waits for another apt (an unattended upgrade, say) instead of failing at once.
  if ! { as_root apt-get update -qq &&
         as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -o DPkg::Lock::Timeout=600 \
           --no-install-recommends $missing; } >"$log" 2>&1; then
    tail -30 "$log"
    echo "setup: could not install:$missing" >&2
    rm -f "$log"
    exit 1
  fi
  rm -f "$log"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
