#!/usr/bin/env bash
# check-mime.sh UPDATE_MIME_DATABASE FILE: the shared-mime-info package must
# build into a database (a bad file is refused with a message) that maps both
# classroom extensions to their types.
set -euo pipefail
update=$1
file=$2
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
# A database in a data folder of its own, which it then sits in the search
# path of: any word on standard error is a complaint about the file.
mkdir -p "$tmp/mime/packages"
cp "$file" "$tmp/mime/packages/"
if ! XDG_DATA_HOME="$tmp" "$update" "$tmp/mime" 2>"$tmp/log" || [ -s "$tmp/log" ]; then
    cat "$tmp/log"
    echo "FAIL: update-mime-database refused $file"
    exit 1
fi
for pair in "application/x-trivisto-assignment:*.trivisto-assignment" "application/x-trivisto-result:*.trivisto-result"; do
    if ! grep -qF "${pair}" "$tmp/mime/globs2"; then
        echo "FAIL: no glob ${pair#*:} for ${pair%%:*}"
        exit 1
    fi
done
