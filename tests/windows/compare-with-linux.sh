#!/usr/bin/env bash
# vornctl.exe under Wine against the Linux build's vornctl, on every shipped default configuration of
# every region: new, show (text and JSON), set and diff must write the same bytes, print the same texts
# and end with the same status. Each program takes its own build's installation folder, so the default
# configurations the Windows build made are compared too. A file name with umlauts goes through the
# command line and back out to the console.
#
#   compare-with-linux.sh WINDOWS_BUILD LINUX_BUILD      (run by CTest with VORN_WINE_RUN and WINEPREFIX)
set -uo pipefail
build=$(realpath "$1")
linux=$(realpath "$2")
wine_run=${VORN_WINE_RUN:?the Wine runner (cmake/wine-run)}
prefix=${WINEPREFIX:?the Wine prefix}
for program in "$linux/bin/vornctl" "$build/bin/vornctl.exe"; do
    [ -f "$program" ] || { echo "compare: $program is missing: build the Linux and the Windows preset" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export LANG=C.UTF-8
unset LC_ALL LC_MESSAGES LC_NUMERIC

# Each side in a folder of its own with a copy of its default configurations, so that the paths the
# commands are given, and print, are the same.
for side in linux windows; do
    mkdir -p "$work/$side"
done
cp -r "$linux/share/vorn-programmer/DefaultConfig" "$work/linux/d"
cp -r "$build/share/vorn-programmer/DefaultConfig" "$work/windows/d"

run() {
    local side=$1
    shift
    if [ "$side" = linux ]; then
        (cd "$work/linux" && env HOME="$work/home" XDG_DATA_HOME="$work/linux-data" XDG_CONFIG_HOME="$work/config" \
            VORN_INSTALL_DIR="$linux/share/vorn-programmer" "$linux/bin/vornctl" "$@")
    else
        (cd "$work/windows" && env VORN_PROGRAM_DATA="Z:$work/windows-data" VORN_DOCUMENTS="Z:$work/windows-docs" \
            VORN_INSTALL_DIR="Z:$build/share/vorn-programmer" "$wine_run" "$prefix" "$build/bin/vornctl.exe" "$@")
    fi
}

passed=0
failed=0
# Runs a command on both sides; the output file (when the command writes one) must be the same too.
compare() {
    local output=$1
    shift
    local side status=()
    for side in linux windows; do
        run "$side" "$@" >"$work/$side.out" 2>"$work/$side.err"
        status+=("$?")
    done
    # Wine under load now and then ends a program before it ran (a status and not one byte of output):
    # that is the runner's hiccup, not the program's answer, so such a run is made once more.
    if [ "${status[0]}" != "${status[1]}" ] && [ ! -s "$work/windows.out" ] && [ ! -s "$work/windows.err" ]; then
        echo "note: vornctl.exe $* ended with status ${status[1]} and no output; run again"
        run windows "$@" >"$work/windows.out" 2>"$work/windows.err"
        status[1]=$?
    fi
    if [ "${status[0]}" = "${status[1]}" ] && cmp -s "$work/linux.out" "$work/windows.out" &&
        cmp -s "$work/linux.err" "$work/windows.err" &&
        { [ -z "$output" ] || cmp -s "$work/linux/$output" "$work/windows/$output"; }; then
        passed=$((passed + 1))
        return
    fi
    failed=$((failed + 1))
    echo "DIFFERS: vornctl $* (status ${status[0]} on Linux, ${status[1]} on Windows)"
    diff "$work/linux.out" "$work/windows.out" | head -5
    diff "$work/linux.err" "$work/windows.err" | head -5
    [ -z "$output" ] || cmp "$work/linux/$output" "$work/windows/$output" | head -2
}

# A change to each family's fields: typed text, a list by its code, a masked time.
assignments_A=(edtBatteryCheckInterval=12 cbbxSendAck=#0 medtPulseActivationTime=12.3)
assignments_B=(edtHESK_BatteryCheckInterval=12 cbbxHESK_IgnoreAck=#1)
assignments_C=(edtGOFA_RfidPower=80 cbbxGOFA_RelayPolarity=#1 medtGOFA_RelayPulseTime=12.5)

for folder in "$work"/linux/d/*/; do
    region=$(basename "$folder")
    for file in "$folder"Default_*.vorn; do
        name=$(basename "$file" .vorn)
        model=${name#Default_}
        default="d/$region/$name.vorn"
        case "$model" in
            HESK*) changes=("${assignments_B[@]}") ;;
            DADIDU) changes=("${assignments_C[@]}") ;;
            *) changes=("${assignments_A[@]}") ;;
        esac
        compare "$region-$model-new.vorn" --region "$region" new "$model" -o "$region-$model-new.vorn"
        compare "" --region "$region" show "$default"
        compare "" --region "$region" show "$default" --json
        compare "$region-$model-set.vorn" --region "$region" set "$default" "${changes[@]}" -o "$region-$model-set.vorn"
        compare "" --region "$region" diff "$default" "$region-$model-set.vorn"
    done
done

# Umlauts in a name: the command line and the console carry UTF-8 unchanged.
umlauts="Grüße aus Köln.vorn"
compare "$umlauts" set d/Europe/Default_TARV.vorn edtBatteryCheckInterval=13 -o "$umlauts"
compare "" show "$umlauts"
compare "" models --json

echo "vornctl.exe and vornctl: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
