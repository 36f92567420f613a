#!/usr/bin/env bash
# Installs the Debian packages the project needs; does nothing when all are there.
set -euo pipefail
packages=(cmake ninja-build g++ qt6-base-dev libgl-dev nlohmann-json3-dev libgtest-dev libgmock-dev
          pkg-config libgmime-3.0-dev libxcb1-dev libpng-dev libexpat1-dev
          libspdlog-dev  # bench/run.sh only
          fonts-liberation2 fonts-noto-core fonts-dejavu-core fonts-thai-tlwg
          xvfb xauth openbox xdotool x11-utils imagemagick
          python3 dpkg-dev file desktop-file-utils man-db lintian  # the package: scripts/package-check.sh
          clang libclang-rt-dev)  # clang and libFuzzer: scripts/fuzz.sh
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
fi
