#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# Idempotent: packages already present are skipped; apt-get runs only when something is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev qt6-svg-dev libgif-dev
  qt6-tools-dev qt6-l10n-tools
  libgtest-dev googletest libbenchmark-dev libtomlplusplus-dev
  fonts-ipafont-gothic fonts-noto-cjk
  desktop-file-utils appstream groff-base file shared-mime-info
  emscripten libfmt-dev python3-fonttools python3-brotli chromium
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
# Another apt-get (an update, a desktop's upgrade) may hold the lock for a while: wait for it
# rather than fail, up to about ten minutes.
apt_retrying() {
  local attempt
  for ((attempt = 1; ; attempt++)); do
    "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=60 "$@" && return 0
    ((attempt < 10)) || return 1
    echo "apt-get $1 failed (attempt $attempt), retrying in 10 s" >&2
    sleep 10
  done
}
apt_retrying update -qq
apt_retrying install -y -qq --no-install-recommends "${missing[@]}"
