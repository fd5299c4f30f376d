#!/usr/bin/env bash
# check-deb.sh --cpack CPACK --config CPackConfig.cmake --dpkg-deb DPKG_DEB
#   --lintian LINTIAN --overrides FILE
#   --version V --maintainer M --depends "pkg,pkg" [--absent PATH]... -- PATH...
# Packs the build into a .deb in a temporary folder, then checks the control
# data an installer relies on (section, maintainer, version, the Depends that
# make the program start on a bare system), that every PATH, relative to
# /usr, is in the package and no --absent PATH is, and that lintian finds no
# error and no warning beyond the overrides FILE (debian/'s for the package).
set -uo pipefail
absent=()
while [ $# -gt 0 ]; do
    case $1 in
    --cpack) cpack=$2; shift 2 ;;
    --config) config=$2; shift 2 ;;
    --dpkg-deb) dpkg_deb=$2; shift 2 ;;
    --lintian) lintian=$2; shift 2 ;;
    --overrides) overrides=$2; shift 2 ;;
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
mode="$(awk '$6 == "./usr/games/trivisto" {print $1}' <<<"$listing")"
[ "$mode" = "-rwxr-xr-x" ] || fail "/usr/games/trivisto has mode '$mode', not -rwxr-xr-x"

# lintian reads overrides from the package, where dh_lintian puts them in
# the Debian build: the same file goes into a copy of this one.
root="$tmp/root"
linted="$tmp/linted/$(basename "$deb")"
mkdir -p "$(dirname "$linted")"
if ! { "$dpkg_deb" -R "$deb" "$root" &&
    mkdir -p "$root/usr/share/lintian/overrides" &&
    cp "$overrides" "$root/usr/share/lintian/overrides/trivisto" &&
    (cd "$root" && md5sum usr/share/lintian/overrides/trivisto >>DEBIAN/md5sums) &&
    "$dpkg_deb" --root-owner-group -b "$root" "$linted" >/dev/null; }; then
    fail "the .deb could not be packed again with the lintian overrides $overrides"
elif ! "$lintian" --fail-on error,warning "$linted"; then
    fail "lintian finds errors or warnings in the .deb (above)"
fi

[ "$failed" -eq 0 ] && echo "ok: $(basename "$deb")"
exit "$failed"
