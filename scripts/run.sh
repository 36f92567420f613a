#!/usr/bin/env bash
# Builds the wizard and starts it on the built-in simulated PC. With a display it opens
# the wizard's window (and the "Simulated PC" panel beside it); without one it runs the
# built-in walk-through script headless and says where its screenshots and log are.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
if [ ! -x build/TesraConnect ]; then
  echo "Building TesraConnect for the first time: this takes several minutes (later runs only"
  echo "rebuild what changed)."
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target TesraConnect
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/TesraConnect "$@"
fi
out="$PWD/lab-out/walkthrough"
./build/TesraConnect --headless --fresh --machine "$out/machine" --script lab/walkthrough.tcs --out "$out" "$@" \
  && echo "No display: ran the walk-through headless." \
  || echo "No display: the walk-through ran headless and stopped early (see result.txt)."
echo "Screenshots, log.txt and result.txt are in $out"
