#!/usr/bin/env bash
# Checks the Windows installer as a user meets it: installs vornctl-<version>-win64-setup.exe silently
# under Wine into a fresh prefix, runs the installed vornctl.exe on the demo unit, reads the band lists
# from the registry values the installer laid down (with Registry.ini gone), and uninstalls again.
#
#   packaging/windows/check-installer.sh [BUILD_DIR]     (default: build/windows; run cpack -G NSIS first)
set -euo pipefail
build=$(realpath "${1:-build/windows}")
setups=("$build"/vornctl-*-win64-setup.exe)
[ -f "${setups[0]}" ] || { echo "check-installer: no installer in $build (cd $build && cpack -G NSIS)" >&2; exit 1; }
work=$(mktemp -d)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all LANG=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
trap 'wineserver -k 2>/dev/null || true; rm -rf "$work"' EXIT

fail() {
    echo "check-installer: $*" >&2
    exit 1
}

echo "check-installer: a fresh Wine prefix"
wine wineboot -i >/dev/null 2>&1 || true
wineserver -w

echo "check-installer: installing ${setups[0]##*/} silently"
wine "${setups[0]}" /S || fail "the installer ended with status $?"
wineserver -w
folder="$WINEPREFIX/drive_c/Program Files/VORN Family Programmer"
for file in vornctl.exe English-1033.lang Deutsch-1031.lang Registry.ini DefaultConfig/Europe/Default_TARV.vorn \
            Uninstall.exe; do
    [ -s "$folder/$file" ] || fail "the installation lacks $file"
done
wine reg query 'HKLM\Software\ORSK\VORN Programmer v2' /v 'Install Language Code' | grep -q 1033 ||
    fail "the installation's language code is not in the registry"

echo "check-installer: vornctl.exe --simulate read --model TARV --serial 1001"
wine "$folder/vornctl.exe" --simulate read --model TARV --serial 1001 -o "Z:$work/tarv.vorn" ||
    fail "the installed vornctl.exe could not read the demo device"
[ "$(stat -c %s "$work/tarv.vorn")" = 256 ] || fail "the image read is not 256 bytes"

# The band lists of the registry stand on their own.
rm "$folder/Registry.ini"
wine "$folder/vornctl.exe" --region USA bands | grep -q "906.2125 MHz" ||
    fail "without Registry.ini the band lists do not come from the registry"

echo "check-installer: uninstalling"
wine "$folder/Uninstall.exe" /S "_?=C:\\Program Files\\VORN Family Programmer" || fail "the uninstaller failed"
wineserver -w
[ ! -e "$folder/vornctl.exe" ] || fail "the uninstaller left vornctl.exe"
if wine reg query 'HKLM\Software\ORSK\VORN Programmer v2' >/dev/null 2>&1; then
    fail "the uninstaller left the program's registry key"
fi
echo "check-installer: the installer installs, runs and uninstalls"
