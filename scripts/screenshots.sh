#!/usr/bin/env bash
# Screenshots of the program for the documentation, taken on a virtual X display.
# Usage: scripts/screenshots.sh path/to/mechsim docs-dir
# The forms are opened in their states by mechsim_showcase, built beside mechsim.
# Needs Xvfb, xwininfo and ImageMagick's import (install-deps.sh --screenshots).
set -euo pipefail

if [[ $# -ne 2 ]]; then
  echo "usage: $0 path/to/mechsim docs-dir" >&2
  exit 2
fi
binary=$(realpath "$1")
mkdir -p "$2"
docs=$(realpath "$2")

export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM
source "$(dirname "$0")/mechanisms.sh"
mechanisms=$(mechanism_commands "$binary")

xvfb_pid=""
app_pid=""
work_dir=$(mktemp -d)
cleanup() {
  stop_program
  if [[ -n "$xvfb_pid" ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work_dir"
}
trap cleanup EXIT

# Starts Xvfb on the first free display from :99 on. Another server may take a display between
# the look and the start, so a server that exits at once means: try the next number.
start_xvfb() {
  local n
  for ((n = 99; n < 200; n++)); do
    [[ -e /tmp/.X${n}-lock || -e /tmp/.X11-unix/X${n} ]] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      kill -0 "$xvfb_pid" 2>/dev/null || break
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  echo "no free X display for Xvfb" >&2
  exit 1
}

# start_program [ARGS...]: runs mechsim (or $program when set) (run directory: a temporary one, so result.dat lands
# there) and waits until its window is mapped and painted.
start_program() {
  local attempt
  # The display now and then refuses a connection while the machine is loaded: try again.
  for attempt in 1 2 3; do
    stop_program
    (cd "$work_dir" && exec "${program:-$binary}" "$@") >/dev/null 2>"$work_dir/stderr.txt" &
    app_pid=$!
    for _ in $(seq 100); do
      xwininfo -root -tree 2>/dev/null | grep -q '"mechsim' && break
      kill -0 "$app_pid" 2>/dev/null || break
      sleep 0.1
    done
    sleep 1
    kill -0 "$app_pid" 2>/dev/null && return 0
    grep -q "could not connect to display" "$work_dir/stderr.txt" || break
  done
  echo "${program:-$binary} $* did not start:" >&2
  cat "$work_dir/stderr.txt" >&2
  exit 1
}

stop_program() {
  if [[ -n "$app_pid" ]]; then
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    app_pid=""
  fi
}

# The largest top-level window of the program on the display (its id for import).
program_window() {
  xwininfo -root -children 2>/dev/null | grep '("mechsim' \
    | awk '{ split($(NF-1), g, /[x+]/); print g[1] * g[2], $1 }' | sort -n | tail -1 | cut -d' ' -f2
}

# shot NAME: the program's window (the whole screen if none is found) as docs/NAME.png.
shot() {
  local id
  id=$(program_window)
  import -window "${id:-root}" "$docs/$1.png"
  echo "wrote $docs/$1.png"
}

start_xvfb
start_program
shot start_menu
stop_program

# Each mechanism window after RUN (animating) and after STOP; the test benches after their button.
program="$(dirname "$binary")/mechsim_showcase"
examples="$(cd "$(dirname "$0")/.." && pwd)/examples"
for m in $mechanisms; do
  for stage in run stop; do
    start_program "$m" "$stage"
    sleep 1.5
    shot "form_${m}_${stage}"
    stop_program
  done
done
# The four-bar crossed, with its guide lines.
start_program four-bar run other guides
sleep 1.5
shot four-bar_crossed_guides
stop_program
# The four-bar paused with its arrows, instant centres and Kennedy's lines; its summary with the
# coupler's centrode.
start_program four-bar paused velocity acceleration centres step=110
sleep 1.5
shot four-bar_paused_centres
stop_program
start_program four-bar stop centres
sleep 1.5
shot four-bar_centrode
stop_program
# Jansen's leg from the gallery after STOP, its foot's path traced; paused with its arrows.
start_program "$examples/jansen-leg.mechsim" stop
sleep 1.5
shot linkage_jansen-leg_stop
stop_program
start_program "$examples/jansen-leg.mechsim" paused velocity centres step=60
sleep 1.5
shot linkage_jansen-leg_paused
stop_program
# The linkage editor: a dyad half placed, the gallery's four-bar with its coupler point selected,
# and Jansen's leg while its pivot Z is dragged.
start_program editor build
sleep 1.5
shot editor_build
stop_program
start_program editor "$examples/four-bar-linkage.mechsim" P
sleep 1.5
shot editor_panel
stop_program
start_program editor "$examples/jansen-leg.mechsim" drag=Z:14,-6
sleep 1.5
shot editor_drag
stop_program
# The 2R arm paused part way, with its current values.
start_program 2r paused
sleep 1.5
shot form_2r_paused
stop_program
# The settings dialog refusing a mistyped time, and one window enlarged to 1.5 times its design size: the pictures grow and are drawn again.
start_program 2r large
sleep 1.5
shot form_2r_enlarged
stop_program
for bench in gauss lady nibun; do
  start_program "$bench"
  shot "bench_${bench}"
  stop_program
done

# The animation the window saves, written headless by the command line.
(cd "$work_dir" && QT_QPA_PLATFORM=offscreen "$binary" run four-bar \
  --animation "$docs/four-bar_animation.gif" --output "$work_dir/result.dat" >/dev/null)
echo "wrote $docs/four-bar_animation.gif"

# The English interface: the main menu and the 2R arm after STOP.
program=""
start_program --lang en
shot start_menu_en
program="$(dirname "$binary")/mechsim_showcase"
start_program 2r stop --lang en
sleep 1.5
shot form_2r_stop_en
stop_program
