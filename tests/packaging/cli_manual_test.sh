#!/usr/bin/env bash
# Every command and every option that barlabel-cli --help shows is in its manual page.
set -euo pipefail
cli=$1
manual=$2
help=$("$cli" --help)
# The page as a reader sees its words: roff's escaped hyphens and font changes undone.
page=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$manual")

# Command lines are "  SYNOPSIS  SUMMARY"; the command is the synopsis's leading lowercase words.
commands=$(awk '/^Commands:/ { listing = 1; next }
    listing && /^  [a-z]/ {
        sub(/^  /, ""); split($0, columns, /  +/); n = split(columns[1], words, " "); command = ""
        for (i = 1; i <= n && words[i] ~ /^[a-z]+$/; i++) command = command (i > 1 ? " " : "") words[i]
        print command
    }
    listing && /^$/ { listing = 0 }' <<< "$help")
[ -n "$commands" ] || { echo "FAILED: no command found in barlabel-cli --help:" >&2; echo "$help" >&2; exit 1; }
options=$(grep -o -- '--[a-z][a-z0-9_-]*' <<< "$help" | sort -u)

missing=0
while read -r word; do
    if ! grep -qF -- "$word" <<< "$page"; then
        echo "FAILED: barlabel-cli --help shows \"$word\" but $manual does not document it" >&2
        missing=1
    fi
done <<< "$commands"$'\n'"$options"
[ "$missing" = 0 ] && echo "the manual page documents: $(tr '\n' ',' <<< "$commands"$'\n'"$options")"
exit "$missing"
