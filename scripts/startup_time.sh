#!/usr/bin/env bash
# Start-up to the first painted main window, against a bare Qt window with a menu bar:
# median of 15 process starts each on the offscreen platform.
# Usage: scripts/startup_time.sh path/to/mechsim_showcase
set -euo pipefail
tool=$(realpath "$1")
export QT_QPA_PLATFORM=offscreen
measure() {
  local times=()
  for _ in $(seq 15); do
    local start painted
    start=$(date +%s%N)
    painted=$("$tool" "$1" 2>/dev/null)
    times+=($(( (painted - start) / 1000 )))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n 8p
}
echo "main menu:             $(measure startup) us"
echo "bare menu-bar window:  $(measure bare) us"
