#!/usr/bin/env bash
# The built man page is whole: every placeholder filled, rendered by groff without a warning,
# and it names every option, mechanism and key that `mechsim --help` lists.
#   man_page_names_options.sh MECHSIM MAN_PAGE
set -euo pipefail
mechsim=$1
source "$(dirname "$0")/../../scripts/mechanisms.sh"
if grep -n '@[A-Z_]*@' "$2"; then
    echo "the man page keeps a placeholder"
    exit 1
fi
warnings=$(groff -k -man -Tutf8 -ww -z "$2" 2>&1)
if [[ -n $warnings ]]; then
    echo "groff warns about the man page:"
    echo "$warnings"
    exit 1
fi
page=$(sed 's/\\-/-/g' "$2")   # roff writes a hyphen-minus as \-
help=$("$mechsim" --help)

# An option starts a word: "-" after a space, "[" or "|" (not the one inside "3r-arc").
options=$(grep -oE -- '(^|[[ |])--?[a-z][a-z-]*' <<<"$help" | sed 's/^[[ |]//' | sort -u)
mechanisms=$(mechanism_commands "$mechsim")
keys=$(sed -n '/^    /p' <<<"$help" | grep -oE '[A-Za-z0-9_]+=' | tr -d = | sort -u)
[[ -n $options && -n $mechanisms && -n $keys ]] || {
    echo "could not read the options, mechanisms and keys from --help:"
    echo "$help"
    exit 1
}

missing=0
for word in $options $mechanisms $keys; do
    if ! grep -qwF -- "$word" <<<"$page"; then
        echo "the man page does not name $word"
        missing=1
    fi
done
exit $missing
