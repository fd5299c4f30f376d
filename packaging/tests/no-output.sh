#!/usr/bin/env bash
# no-output.sh COMMAND [ARG...]: passes when COMMAND succeeds and prints
# nothing. Validators that only warn still exit 0; a warning must fail too.
set -uo pipefail
out="$("$@" 2>&1)"
status=$?
if [ -n "$out" ]; then
    printf '%s\n' "$out"
fi
if [ "$status" -ne 0 ] || [ -n "$out" ]; then
    echo "FAIL: $* (status $status${out:+, printed the lines above})"
    exit 1
fi
echo "ok: $*"
