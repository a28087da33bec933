#!/usr/bin/env bash
# Set-up and everyday entry point: installs the missing Debian packages, configures and builds,
# then runs the program or the tests.
#
#   ./setup.sh run [ARGS...]   build, then start the program
#   ./setup.sh test            build, then run every test
#   ./setup.sh build           only install, configure and build
#   ./setup.sh windows         also the Windows build (MinGW-w64, Wine): build it and run its tests
set -euo pipefail

cd "$(dirname "$0")"
preset="${VORN_PRESET:-default}"

# Installs the missing packages of the lists given (default: debian-packages.txt).
install_packages() {
    local wanted missing=()
    wanted=$(cat "${@:-debian-packages.txt}" | grep -v -E '^\s*(#|$)')
    for pkg in $wanted; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "These Debian packages are missing: ${missing[*]}" >&2
        echo "Install them with:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing missing Debian packages: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    if ! apt-get install -y --no-install-recommends "${missing[@]}"; then
        apt-get update
        apt-get install -y --no-install-recommends "${missing[@]}"
    fi
}

build() {
    install_packages
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
}

command="${1:-build}"
[ $# -gt 0 ] && shift
case "$command" in
    build)
        build
        ;;
    run)
        build
        program="build/$preset/bin/vorn-programmer"
        if [ -x "$program" ]; then
            exec "$program" "$@"
        fi
        # Without Qt 6 Widgets the build has no window (CMake said so); the rest is there.
        echo
        echo "The window was not built: CMake did not find Qt 6 Widgets (package qt6-base-dev)." >&2
        echo "Built in build/$preset/:"
        for t in build/"$preset"/bin/*; do
            [ -x "$t" ] && echo "  bin/$(basename "$t")"
        done
        echo "The command line is build/$preset/bin/vornctl (see README.md)."
        exit 1
        ;;
    test)
        build
        ctest --preset "$preset" -j "$(nproc)"
        ;;
    windows)
        # The Windows build compares itself with this Linux build and runs its simulator.
        install_packages debian-packages.txt windows-packages.txt
        build
        cmake --preset windows -DVORN_LINUX_BUILD="$PWD/build/$preset" >/dev/null
        cmake --build --preset windows
        ctest --preset windows -j "$(nproc)"
        ;;
    *)
        echo "usage: $0 {run [ARGS...]|test|build|windows}" >&2
        exit 1
        ;;
esac
