#!/usr/bin/env bash
# Builds the browser page with Debian's emscripten into $1 (default build-web); the page is
# $1/site/. emscripten's JavaScript optimiser finds its Debian node modules through NODE_PATH.
set -euo pipefail
out=${1:-build-web}
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
# The font is cut with Debian's fontTools, which only Debian's Python has.
emcmake cmake -S . -B "$out" -DCMAKE_BUILD_TYPE=Release -DPython3_EXECUTABLE=/usr/bin/python3 >/dev/null
cmake --build "$out" -j "$(nproc)"
