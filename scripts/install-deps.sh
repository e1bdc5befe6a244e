#!/usr/bin/env bash
# Installs the Debian packages MORLIX needs to build, run and test; does
# nothing when they are all there already.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev
  libsdl2-dev
  fonts-ipafont-gothic fonts-noto-cjk
)
if [[ "${1:-}" == "--test" ]]; then
  packages+=(
    libgtest-dev libgmock-dev libbenchmark-dev
    libfftw3-dev libgsl-dev
    xvfb xauth libx11-dev
    clang libclang-rt-14-dev
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
