#!/usr/bin/env bash
# check-icons.sh FILE_PROGRAM DIR SIZE...: every DIR/SIZExSIZE/*.png is a PNG
# of exactly that size; a theme shows a wrongly sized icon blurred or not at all.
set -uo pipefail
file_program=$1 dir=$2
shift 2
failed=0
for size in "$@"; do
    png="$(find "$dir/${size}x${size}" -maxdepth 1 -name '*.png' 2>/dev/null | head -n 1)"
    if [ -z "$png" ]; then
        echo "FAIL: no PNG icon in $dir/${size}x${size}"
        failed=1
        continue
    fi
    what="$("$file_program" -b "$png")"
    if [[ "$what" == "PNG image data, $size x $size, "* ]]; then
        echo "ok: $png: $what"
    else
        echo "FAIL: $png should be $size x $size: $what"
        failed=1
    fi
done
exit "$failed"
