#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
#
# check-package.sh BUILD_DIR APP_ID
#
# Builds the Debian package of BUILD_DIR with CPack into a scratch folder,
# unpacks it with dpkg-deb -x, checks its fields and file list, that the
# desktop entry's program and icon resolve inside the unpacked tree, and
# that the unpacked keypadmgr starts from there (--version) with its own
# libraries.
set -euo pipefail
build=$1
app_id=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1) \
    || { cat "$scratch/cpack.log"; fail "cpack"; }
shopt -s nullglob
debs=("$scratch"/out/*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one package, got: ${debs[*]:-none}"
deb=${debs[0]}
echo "package: $(basename "$deb")"
[[ $(basename "$deb") == keypadmgr_1.3-196_*.deb ]] || fail "package file name"

version=$(dpkg-deb -f "$deb" Version)
[ "$version" = "1.3-196" ] || fail "Version is '$version'"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt5widgets5 libqt5network5 libqt5xml5 libqt5keychain1 libc6; do
    [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib"
done

root=$scratch/root
dpkg-deb -x "$deb" "$root"
(cd "$root" && find . \( -type f -o -type l \) | sed 's|^\./|/|' | sort) >"$scratch/files"
echo "--- files"
cat "$scratch/files"

expected=(
    /usr/bin/keypadmgr
    /usr/lib/libOvrColor.so.1
    /usr/lib/libDravonLib.so.1
    /usr/lib/libovraut.so.1
    /usr/lib/keypadmgr/secretstore.so
    /usr/share/keypadmgr/defaultConfiguration.xml
    /usr/share/keypadmgr/help/LumetraKeypad_ProductGuide.pdf
    /usr/share/keypadmgr/translations/keypadmgr_de.qm
    "/usr/share/applications/$app_id.desktop"
    "/usr/share/metainfo/$app_id.metainfo.xml"
    "/usr/share/icons/hicolor/scalable/apps/$app_id.svg"
    /usr/share/doc/keypadmgr/copyright
)
for size in 16 24 32 48 64 128 256; do
    expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for f in "${expected[@]}"; do
    grep -qxF "$f" "$scratch/files" || fail "missing $f"
done
# Nothing of the build's own: no tests, simulator, headers, static or
# development libraries.
# (The program's own modules, loaded by name, end in .so.)
if grep -vx '/usr/lib/keypadmgr/[a-z]*\.so' "$scratch/files" | grep -E 'tst_|keypadsim|guidepdf|\.h$|\.a$|\.so$'; then
    fail "unexpected files in the package"
fi

# Versioned libraries: SONAME with the major version, the real file beside it.
for lib in OvrColor DravonLib ovraut; do
    soname=$(readelf -d "$root/usr/lib/lib$lib.so.1" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
    [ "$soname" = "lib$lib.so.1" ] || fail "SONAME of $lib is '$soname'"
    [ -f "$root/usr/lib/lib$lib.so.1.3.0" ] || fail "lib$lib.so.1.3.0 missing"
done
runpath=$(readelf -d "$root/usr/bin/keypadmgr" | sed -n 's/.*(\(RPATH\|RUNPATH\)).*\[\(.*\)\]/\2/p')
[ "$runpath" = '$ORIGIN/../lib' ] || fail "run path is '$runpath'"

# The desktop entry starts the packaged program and names the packaged icon.
desktop=$root/usr/share/applications/$app_id.desktop
exec_line=$(sed -n 's/^Exec=//p' "$desktop" | head -n1)
[ -x "$root/usr/bin/${exec_line%% *}" ] || fail "Exec '$exec_line' not in /usr/bin"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "Icon '$icon' not in hicolor"

# The unpacked program runs from there, with the libraries beside it and not
# those of the build tree.
ldd "$root/usr/bin/keypadmgr" >"$scratch/ldd"
for lib in OvrColor DravonLib ovraut; do
    grep -q "lib$lib.so.1 => $root/usr/bin/../lib/lib$lib.so.1" "$scratch/ldd" \
        || { cat "$scratch/ldd"; fail "lib$lib not taken from the package"; }
done
# The secret store's client library is the module's, loaded when needed.
if grep -q keychain "$scratch/ldd"; then
    fail "keypadmgr links the secret store's library at start"
fi
grep -q 'libqt5keychain' <(ldd "$root/usr/lib/keypadmgr/secretstore.so") || fail "the secret store module lacks QtKeychain"
out=$(env -u LD_LIBRARY_PATH "$root/usr/bin/keypadmgr" --version)
echo "keypadmgr --version: $out"
[ "$out" = "Lumetra Keypad Effect Manager 1.3 20131127-196" ] || fail "--version printed '$out'"
echo "package checked"
