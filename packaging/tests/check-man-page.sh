#!/usr/bin/env bash
# check-man-page.sh MAN PAGE: the page renders without a single warning and
# has the sections a reader looks for.
set -uo pipefail
man=$1 page=$2
# Rendering reads no clock. A preloaded library (faketime when the suite is
# tried on another day) only trips man's sandbox, which forbids its calls.
unset LD_PRELOAD
warnings="$(MANWIDTH=80 "$man" --warnings -l "$page" 2>&1 >/dev/null)"
# Piped, man-db strips the bold and underline overstrikes itself.
text="$(MANWIDTH=80 "$man" -l "$page" 2>/dev/null)"
failed=0
if [ -n "$warnings" ]; then
    printf '%s\n' "$warnings"
    echo "FAIL: $page renders with the warnings above"
    failed=1
fi
for section in NAME SYNOPSIS DESCRIPTION OPTIONS KEYS FILES "EXIT STATUS"; do
    if ! grep -qx "$section" <<<"$text"; then
        echo "FAIL: $page has no $section section"
        failed=1
    fi
done
[ "$failed" -eq 0 ] && echo "ok: $page"
exit "$failed"
