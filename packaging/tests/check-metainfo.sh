#!/usr/bin/env bash
# check-metainfo.sh APPSTREAMCLI FILE: the AppStream data must validate with
# no error and no warning. Infos and pedantic hints are shown but pass: the
# AppStream of Debian 12 reports <developer> as an unknown tag (info), and
# the decided component id has capitals (pedantic).
set -uo pipefail
appstreamcli=$1 file=$2
out="$("$appstreamcli" validate --no-net --pedantic "$file" 2>&1)"
status=$?
printf '%s\n' "$out"
if [ "$status" -ne 0 ] || grep -qE '^[EW]: ' <<<"$out"; then
    echo "FAIL: $file has AppStream errors or warnings (status $status)"
    exit 1
fi
