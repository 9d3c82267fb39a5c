#!/usr/bin/env bash
# Whole-process times of `mechsim run four-bar|parallel --divisions 1000000` against the bare
# four-bar loop (mechsim_bench --bare-four-bar), interleaved round by round in a rotating
# order, and the peak resident memory of every mechanism's run without pictures.
# Usage: scripts/run_speed.sh BUILD_DIR [ROUNDS]   (files go to $TMPDIR, default /tmp)
set -euo pipefail
build=$(realpath "$1")
rounds=${2:-9}
n=1000000
source "$(dirname "$0")/mechanisms.sh"
mechanisms=$(mechanism_commands "$build/mechsim")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs a command, prints "wall_seconds peak_kb cpu_seconds".
measure() {
  local start end
  start=$(date +%s%N)
  /usr/bin/time -o "$work/time" -f '%M %U %S' "$@" >/dev/null
  end=$(date +%s%N)
  read -r kb user sys <"$work/time"
  echo "$(( (end - start) / 1000 )) $kb $user $sys" |
    awk '{ printf "%.4f %d %.2f\n", $1 / 1e6, $2, $3 + $4 }'
}

bare() { measure "$build/mechsim_bench" --bare-four-bar $n "$work/bare.dat"; }
run() { measure "$build/mechsim" run "$1" --divisions $n --output "$work/$1.dat"; }

: >"$work/rounds"
for round in $(seq "$rounds"); do
  case $((round % 3)) in
    0) b=$(bare); f=$(run four-bar); p=$(run parallel) ;;
    1) f=$(run four-bar); p=$(run parallel); b=$(bare) ;;
    2) p=$(run parallel); b=$(bare); f=$(run four-bar) ;;
  esac
  echo "$b $f $p" >>"$work/rounds"
done
cmp -s "$work/bare.dat" "$work/four-bar.dat" || echo "warning: four-bar bytes differ from the bare loop's"
scale=$(awk -v p="$(stat -c %s "$work/parallel.dat")" -v b="$(stat -c %s "$work/bare.dat")" \
  'BEGIN { print p / b }')

stats() {   # min / median / max of column $1 over the rounds, as computed by the awk expression
  awk "{ print $1 }" "$work/rounds" | sort -g |
    awk '{ v[NR] = $1 } END { printf "min %.3f  median %.3f  max %.3f\n", v[1], v[int((NR + 1) / 2)], v[NR] }'
}
echo "rounds: $rounds, N = $n, parallel bytes / four-bar bytes = $scale"
echo "bare loop seconds:              $(stats '$1')"
echo "four-bar seconds:               $(stats '$4')"
echo "parallel seconds:               $(stats '$7')"
echo "four-bar / bare:                $(stats '$4 / $1')"
echo "parallel / (bare x bytes):      $(stats "\$7 / (\$1 * $scale)")"
echo "cpu seconds bare / four-bar / parallel (median): $(stats '$3' | awk '{print $4}') / $(stats '$6' | awk '{print $4}') / $(stats '$9' | awk '{print $4}')"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

echo "peak resident memory without pictures, N = $n:"
for m in $mechanisms; do
  printf '  %-9s %6.1f MB\n' "$m" "$(run "$m" | awk '{ print $2 / 1024 }')"
  rm -f "$work/$m.dat"
done
