#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# Idempotent: packages already present are skipped; apt-get runs only when something is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev qt6-svg-dev libgif-dev
  libgtest-dev googletest libbenchmark-dev
  fonts-ipafont-gothic fonts-noto-cjk
  desktop-file-utils appstream file
)
if [[ "${1:-}" == "--screenshots" ]]; then
  packages+=(xvfb imagemagick)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
  sudo_cmd=()
else
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
