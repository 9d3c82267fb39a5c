#!/usr/bin/env bash
# Screenshots of the program for the documentation, taken on a virtual X display.
# Usage: scripts/screenshots.sh path/to/mechsim docs-dir
# Needs Xvfb, xwininfo and ImageMagick's import (install-deps.sh --screenshots).
set -euo pipefail

if [[ $# -ne 2 ]]; then
  echo "usage: $0 path/to/mechsim docs-dir" >&2
  exit 2
fi
binary=$(realpath "$1")
mkdir -p "$2"
docs=$(realpath "$2")

# The first free display from :99 on.
display_number=99
while [[ -e /tmp/.X${display_number}-lock || -e /tmp/.X11-unix/X${display_number} ]]; do
  display_number=$((display_number + 1))
done
export DISPLAY=:${display_number}
export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM

xvfb_pid=""
app_pid=""
cleanup() {
  [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  return 0
}
trap cleanup EXIT

Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
  xwininfo -root >/dev/null 2>&1 && break
  sleep 0.1
done

# start_program [ARGS...]: runs mechsim (run directory: a temporary one, so result.dat lands
# there) and waits until its window is mapped and painted.
start_program() {
  stop_program
  (cd "$work_dir" && exec "$binary" "$@") >/dev/null 2>&1 &
  app_pid=$!
  for _ in $(seq 100); do
    xwininfo -root -tree 2>/dev/null | grep -q '"mechsim"' && break
    sleep 0.1
  done
  sleep 1
}

stop_program() {
  if [[ -n "$app_pid" ]]; then
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    app_pid=""
  fi
}

# shot NAME: the whole screen as docs/NAME.png.
shot() {
  import -window root "$docs/$1.png"
  echo "wrote $docs/$1.png"
}

work_dir=$(mktemp -d)
trap 'cleanup; rm -rf "$work_dir"' EXIT

start_program
shot start_menu
stop_program
