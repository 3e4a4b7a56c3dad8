#!/usr/bin/env bash
# Builds the Debian package as `cpack` does and checks that its Depends names every package the
# installed programs need on a clean machine: each library they link (as dpkg-shlibdeps finds
# them in the packaged binaries) and the package of each Qt plugin the windows load at run time,
# which no linker sees.
#   check-package.sh BUILD_DIR QMAKE
# Exits 77 (skipped) on a system without dpkg.
set -euo pipefail
build=$1
plugins=$("$2" -query QT_INSTALL_PLUGINS)

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
command -v dpkg-deb >/dev/null || {
    echo "no dpkg-deb: not a Debian system, package check skipped"
    exit 77
}
command -v dpkg-shlibdeps >/dev/null || fail "dpkg-shlibdeps is missing: install dpkg-dev"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# A package without compression: what it depends on is the question here, not its size.
(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" \
    -D CPACK_DEBIAN_COMPRESSION_TYPE=none >"$scratch/cpack.log" 2>&1) ||
    { cat "$scratch/cpack.log"; fail "cpack did not build the package"; }
debs=("$scratch"/out/*.deb)
[ -e "${debs[0]}" ] || fail "cpack built no .deb"
depends=$(dpkg-deb -f "${debs[0]}" Depends)
echo "Depends: $depends"

# The package names of a Depends field, one a line; of "a | b" each alternative.
names() { tr ',|' '\n\n' | sed -e 's/(.*//' -e 's/\[.*//' -e 's/[[:space:]]//g' | grep -v '^$' | sort -u; }
declared=$(names <<<"$depends")

dpkg-deb -x "${debs[0]}" "$scratch/root"
mkdir -p "$scratch/root/debian"
: >"$scratch/root/debian/control" # dpkg-shlibdeps wants one; the package's own is not needed
mapfile -t programs < <(find "$scratch/root" -type f -perm -u+x -path '*/bin/*')
((${#programs[@]})) || fail "the package holds no programs"
linked=$(cd "$scratch/root" && dpkg-shlibdeps -O "${programs[@]/#$scratch\/root\//}" 2>/dev/null) ||
    fail "dpkg-shlibdeps could not read the programs"
needed=$(sed 's/^shlibs:Depends=//' <<<"$linked" | tr ',' '\n')

# Qt's plugins that the windows load by name: the X11 platform, the SVG icon engine and image
# format (the program's icon), the CUPS printers of the print dialog.
for plugin in platforms/libqxcb.so iconengines/libqsvgicon.so imageformats/libqsvg.so \
    printsupport/libcupsprintersupport.so; do
    [ -e "$plugins/$plugin" ] || fail "Qt plugin $plugins/$plugin is not installed on this machine"
    owner=$(dpkg -S "$(realpath "$plugins/$plugin")" 2>/dev/null | head -n 1 | cut -d: -f1) ||
        true
    [ -n "$owner" ] || fail "no package owns $plugins/$plugin"
    needed+=$'\n'"$owner"
done

missing=()
while read -r entry; do
    [ -n "${entry// /}" ] || continue
    # One of the alternatives of the entry must be in Depends.
    found=""
    for name in $(names <<<"$entry"); do
        grep -qx -- "$name" <<<"$declared" && found=$name
    done
    [ -n "$found" ] || missing+=("$(names <<<"$entry" | paste -sd'|')")
done <<<"$needed"
((${#missing[@]} == 0)) || fail "Depends lacks $(printf '%s\n' "${missing[@]}" | sort -u | paste -sd' ')"
echo "package check passed: Depends names all $(wc -l <<<"$needed") needed packages"
