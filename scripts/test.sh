#!/usr/bin/env bash
# Builds everything and runs every test: unit tests and the lab scripts (headless, virtual time).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
[ -d build ] || echo "The first build takes several minutes; later ones only rebuild what changed."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build
ctest --test-dir build --output-on-failure -j2
