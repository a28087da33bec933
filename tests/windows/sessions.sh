#!/usr/bin/env bash
# Whole device sessions of vornctl.exe under Wine, through both Windows backends:
# - FTD2XX.DLL: the demo unit's stand-in as FTD2XX.DLL beside a copy of vornctl.exe, found and loaded
#   as the real driver is (its functions by ordinal);
# - a COM port: Wine's COM5 linked to vorn-kdu-sim's pseudo-terminal (dosdevices/com5 -> /dev/pts/N).
# Each reads the demo TARV and DADIDU, then writes a changed TARV with --verify; over the COM port the
# unit keeps what was written, so a second read must give the written file back.
#
#   sessions.sh WINDOWS_BUILD LINUX_BUILD      (run by CTest with VORN_WINE_RUN and WINEPREFIX)
set -euo pipefail
build=$(realpath "$1")
linux=$(realpath "$2")
wine_run=${VORN_WINE_RUN:?the Wine runner (cmake/wine-run)}
prefix=${WINEPREFIX:?the Wine prefix}
simulator="$linux/bin/vorn-kdu-sim"
[ -x "$simulator" ] || { echo "sessions: $simulator is missing: build the Linux preset first" >&2; exit 1; }
work=$(mktemp -d)
bridge=""
cleanup() {
    [ -z "$bridge" ] || kill "$bridge" 2>/dev/null || true
    rm -f "$prefix/dosdevices/com5"
    rm -rf "$work"
}
trap cleanup EXIT
export LANG=C.UTF-8 VORN_INSTALL_DIR="Z:$build/share/vorn-programmer" VORN_PROGRAM_DATA="Z:$work/data" \
    VORN_DOCUMENTS="Z:$work/docs"
cd "$work"

fail() {
    echo "sessions: $*" >&2
    exit 1
}

# vornctl.exe (the build's, or the copy in FOLDER) with the arguments; fails the script on a failure.
vornctl() {
    local program=$1
    shift
    "$wine_run" "$prefix" "$program" "$@" || fail "vornctl $* ended with status $?"
}

# The sessions of one backend: OPTIONS... reach every device command.
sessions() {
    local label=$1 program=$2
    shift 2
    vornctl "$program" "$@" read --model TARV --serial 1001 -o "$label-tarv.vorn"
    [ "$(od -A n -t x1 -j 32 -N 2 "$label-tarv.vorn" | tr -d ' ')" = "1234" ] || fail "$label: not the demo TARV's code"
    vornctl "$program" "$@" read --model DADIDU --serial 3001 -o "$label-dadidu.vorn"
    vornctl "$program" set "$label-tarv.vorn" edtBatteryCheckInterval=12 -o "$label-changed.vorn"
    vornctl "$program" "$@" write "$label-changed.vorn" --serial 1001 --change-id no --verify
    echo "sessions: $label: read TARV and DADIDU, wrote and verified TARV"
}

# FTD2XX.DLL: beside the program, as Windows looks for it.
mkdir d2xx
cp "$build/bin/vornctl.exe" "$build/d2xx-sim/FTD2XX.DLL" d2xx/
sessions d2xx d2xx/vornctl.exe

# The COM port: the Wine prefix must exist before its COM port is linked.
vornctl "$build/bin/vornctl.exe" --version >/dev/null
# The bridge is a Linux program: its demo devices come from the Linux build's installation folder.
env VORN_INSTALL_DIR="$linux/share/vorn-programmer" "$simulator" --demo >bridge.out 2>bridge.err &
bridge=$!
for _ in $(seq 50); do
    [ -s bridge.out ] && break
    sleep 0.1
done
port=$(head -n 1 bridge.out)
[ -c "$port" ] || fail "vorn-kdu-sim gave no terminal: $(cat bridge.err)"
ln -sfn "$port" "$prefix/dosdevices/com5"
sessions com "$build/bin/vornctl.exe" --port COM5
vornctl "$build/bin/vornctl.exe" --port COM5 read --model TARV --serial 1001 -o com-again.vorn
cmp com-again.vorn com-changed.vorn || fail "com: the unit does not hold what was written"
echo "sessions: com: the written TARV reads back"
echo "2 passed, 0 failed"
