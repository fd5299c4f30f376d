#!/usr/bin/env bash
# check-changelog.sh DPKG_PARSECHANGELOG CHANGELOG VERSION DATE: the newest
# entry of debian/changelog is this release, VERSION on DATE (YYYY-MM-DD, from
# the release table), so the Debian package never goes out under the version
# or the day of the release before.
set -uo pipefail
parse=$1 changelog=$2 version=$3 date=$4
got_version="$("$parse" -l "$changelog" -S Version)" || exit 1
# "Mon, 07 Dec 2026 14:40:31 +0000": the day as the entry's own zone has it.
got_date="$("$parse" -l "$changelog" -S Date | cut -d ' ' -f 2-4)" || exit 1
got_date="$(date -d "$got_date" +%F)" || exit 1
failed=0
if [ "$got_version" != "$version" ]; then
    echo "FAIL: the newest entry of $changelog is $got_version, not the project's version $version"
    failed=1
fi
if [ "$got_date" != "$date" ]; then
    echo "FAIL: the newest entry of $changelog is dated $got_date, the release table says $date"
    failed=1
fi
[ "$failed" -eq 0 ] && echo "ok: $changelog: $version of $date"
exit "$failed"
