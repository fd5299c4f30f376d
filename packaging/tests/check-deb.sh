#!/usr/bin/env bash
# check-deb.sh --cpack CPACK --config CPackConfig.cmake --dpkg-deb DPKG_DEB
#   --version V --maintainer M --depends "pkg,pkg" [--absent PATH]... -- PATH...
# Packs the build into a .deb in a temporary folder, then checks the control
# data an installer relies on (section, maintainer, version, the Depends that
# make the program start on a bare system) and that every PATH, relative to
# /usr, is in the package and no --absent PATH is.
set -uo pipefail
absent=()
while [ $# -gt 0 ]; do
    case $1 in
    --cpack) cpack=$2; shift 2 ;;
    --config) config=$2; shift 2 ;;
    --dpkg-deb) dpkg_deb=$2; shift 2 ;;
    --version) version=$2; shift 2 ;;
    --maintainer) maintainer=$2; shift 2 ;;
    --depends) depends=$2; shift 2 ;;
    --absent) absent+=("$2"); shift 2 ;;
    --) shift; break ;;
    *) echo "check-deb.sh: unknown argument $1" >&2; exit 2 ;;
    esac
done

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
if ! "$cpack" --config "$config" -G DEB -B "$tmp" >"$tmp/cpack.log" 2>&1; then
    cat "$tmp/cpack.log"
    echo "FAIL: cpack could not build the .deb"
    exit 1
fi
debs=("$tmp"/*.deb)
if [ ! -f "${debs[0]}" ]; then
    cat "$tmp/cpack.log"
    echo "FAIL: cpack made no .deb"
    exit 1
fi
deb=${debs[0]}
echo "built $(basename "$deb")"
"$dpkg_deb" -f "$deb"

failed=0
fail() { echo "FAIL: $*"; failed=1; }
field() { "$dpkg_deb" -f "$deb" "$1"; }

[ "$(field Package)" = trivisto ] || fail "Package is '$(field Package)', not trivisto"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
[ "$(field Section)" = games ] || fail "Section is '$(field Section)', not games"
[ "$(field Maintainer)" = "$maintainer" ] || fail "Maintainer is '$(field Maintainer)', not $maintainer"
# Depends is a comma-separated list of "name (>= version)" alternatives.
dep_names=" $(field Depends | tr ',|' '\n' | sed -E 's/^ *([^ (]+).*/\1/' | tr '\n' ' ') "
IFS=, read -r -a wanted <<<"$depends"
for p in "${wanted[@]}"; do
    [[ "$dep_names" == *" $p "* ]] || fail "Depends lacks $p"
done

listing="$("$dpkg_deb" -c "$deb")"
paths="$(awk '{print $6}' <<<"$listing")"
for p in "$@"; do
    grep -qxF "./usr/$p" <<<"$paths" || fail "the package lacks /usr/$p"
done
for p in "${absent[@]}"; do
    if grep -qxF "./usr/$p" <<<"$paths"; then
        fail "the package holds /usr/$p, which it must not"
    fi
done
mode="$(awk '$6 == "./usr/bin/trivisto" {print $1}' <<<"$listing")"
[ "$mode" = "-rwxr-xr-x" ] || fail "/usr/bin/trivisto has mode '$mode', not -rwxr-xr-x"

[ "$failed" -eq 0 ] && echo "ok: $(basename "$deb")"
exit "$failed"
