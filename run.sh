#!/usr/bin/env bash
# Sets up what is missing, builds, and starts the program on the example run
# directory that the build lays beside it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAMSEL_BUILD_TESTS=OFF
cmake --build build -j"$(nproc)" --target tamsel tamsel-cli
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found. Start the program under a virtual display with:"
  echo "  xvfb-run -a -s '-screen 0 1280x800x24' build/tamsel"
  exit 1
fi
exec build/tamsel
