#!/usr/bin/env bash
# An install puts the examples and the .mechsim file type where desktops look, and a desktop
# resolves a .mechsim file to the type the desktop entry opens.
#   installed_file_type.sh BUILD_DIR
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null

share=$prefix/share
for file in mechsim/examples/jansen-leg.mechsim mechsim/examples/four-bar.mechsim \
            mime/packages/io.github.mechsim.mechsim.xml \
            applications/io.github.mechsim.mechsim.desktop; do
    [[ -f $share/$file ]] || { echo "not installed: share/$file"; exit 1; }
done

# update-mime-database refuses a malformed package; its glob table is what desktops match.
XDG_DATA_DIRS=$share update-mime-database "$share/mime"
type=$(sed -n 's/^[0-9]*:\([^:]*\):\*\.mechsim$/\1/p' "$share/mime/globs2")
[[ -n $type ]] || { echo "no type has the glob *.mechsim"; exit 1; }
grep -qx "MimeType=.*$type;.*" "$share/applications/io.github.mechsim.mechsim.desktop" \
    || { echo "the desktop entry does not open $type"; exit 1; }
grep -q '^Exec=mechsim .*%f' "$share/applications/io.github.mechsim.mechsim.desktop" \
    || { echo "the desktop entry does not pass the file to the program"; exit 1; }
