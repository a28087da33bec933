#!/usr/bin/env bash
# Checks the program as it is installed: `cmake --install` into a temporary prefix, then (unless
# --tree-only) the .deb that `cpack -G DEB` builds, checked by lintian and unpacked into a temporary
# root. Both programs must start from there, find their data below the prefix, and miss no shared
# library; the manual pages render, *.vorn resolves to the file type, the AppStream data validates,
# the sheet and the shell completion work.
#
#   packaging/check-package.sh [--tree-only] [BUILD_DIR]     (default: build/default)
set -euo pipefail

tree_only=0
if [ "${1:-}" = "--tree-only" ]; then
    tree_only=1
    shift
fi
build=$(realpath "${1:-build/default}")
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "check-package: $*" >&2
    exit 1
}

# The programs run as a new user would: a fresh home, no display.
run_user() {
    env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_DATA_HOME="$work/home/data" \
        XDG_CONFIG_HOME="$work/home/config" XDG_DOCUMENTS_DIR="$work/home/Documents" \
        QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 "$@"
}

# Checks an installed tree below PREFIX: files, libraries, and the programs started from it.
check_tree() {
    local prefix=$1 data="$1/share/vorn-programmer"
    for file in bin/vorn-programmer bin/vornctl share/vorn-programmer/English-1033.lang \
                share/vorn-programmer/Deutsch-1031.lang share/vorn-programmer/Registry.ini \
                share/vorn-programmer/DefaultConfig/Europe/Default_BODE.vorn \
                share/applications/vorn-programmer.desktop \
                share/icons/hicolor/scalable/apps/vorn-programmer.svg lib/udev/rules.d/60-vorn-kdu.rules \
                share/man/man1/vornctl.1.gz share/man/man1/vorn-programmer.1.gz \
                share/mime/packages/vorn-programmer.xml \
                share/icons/hicolor/scalable/mimetypes/application-x-vorn-configuration.svg \
                share/metainfo/example.orsk.VornProgrammer.metainfo.xml \
                share/bash-completion/completions/vornctl share/zsh/vendor-completions/_vornctl \
                share/doc/vorn-programmer/copyright share/doc/vorn-programmer/changelog.Debian.gz \
                share/vorn-programmer/pictures/BODE.png; do
        [ -s "$prefix/$file" ] || fail "$prefix/$file is missing"
    done
    for language in "$source_dir"/data/install/*.lang; do
        [ -s "$data/$(basename "$language")" ] || fail "$data/$(basename "$language") is missing"
    done
    [ ! -e "$data/pictures/.built" ] || fail "the build's stamp file of the pictures was installed"
    [ ! -e "$data/DefaultConfig/.built" ] || fail "the build's stamp file was installed"
    desktop-file-validate "$prefix/share/applications/vorn-programmer.desktop" ||
        fail "desktop-file-validate refuses the desktop file"
    # The manual pages render without a warning.
    for page in vornctl vorn-programmer; do
        zcat "$prefix/share/man/man1/$page.1.gz" | groff -man -ww -z >"$work/groff.log" 2>&1 || true
        [ ! -s "$work/groff.log" ] || { cat "$work/groff.log" >&2; fail "$page(1) renders with warnings"; }
        zcat "$prefix/share/man/man1/$page.1.gz" | grep -q '^\.SH OPTIONS\|^\.SH COMMANDS' ||
            fail "$page(1) lacks the options the program prints"
    done
    # The file type: once the MIME database is built from the entry, *.vorn is a VORN configuration,
    # and the menu entry opens it.
    rm -rf "$work/mime" && mkdir -p "$work/mime/packages"
    cp "$prefix/share/mime/packages/vorn-programmer.xml" "$work/mime/packages/"
    update-mime-database "$work/mime" >"$work/mime.log" 2>&1 ||
        { cat "$work/mime.log" >&2; fail "update-mime-database refuses the MIME entry"; }
    grep -qx 'application/x-vorn-configuration:\*\.vorn' "$work/mime/globs" || fail "*.vorn does not resolve"
    grep -qx 'MimeType=application/x-vorn-configuration;' "$prefix/share/applications/vorn-programmer.desktop" &&
        grep -qx 'Exec=vorn-programmer %f' "$prefix/share/applications/vorn-programmer.desktop" ||
        fail "the menu entry does not open .vorn files"
    appstreamcli validate --no-net "$prefix/share/metainfo/example.orsk.VornProgrammer.metainfo.xml" >/dev/null ||
        fail "appstreamcli refuses the metainfo file"
    grep -q 'GROUP="dialout"' "$prefix/lib/udev/rules.d/60-vorn-kdu.rules" || fail "udev rule: no dialout"
    grep -q 'ENV{ID_MM_DEVICE_IGNORE}="1"' "$prefix/lib/udev/rules.d/60-vorn-kdu.rules" ||
        fail "udev rule: ModemManager not told to ignore the unit"
    for program in "$prefix"/bin/*; do
        if ldd "$program" | grep -q 'not found'; then
            ldd "$program" | grep 'not found' >&2
            fail "$(basename "$program") misses shared libraries"
        fi
    done

    rm -rf "$work/home" && mkdir -p "$work/home"
    local models
    models=$(run_user "$prefix/bin/vornctl" models) || fail "vornctl models failed"
    [ "$(printf '%s\n' "$models" | wc -l)" -eq 12 ] || fail "vornctl models did not list twelve models"
    # The region's defaults come from the installation folder below the prefix.
    run_user "$prefix/bin/vornctl" new BODE -o "$work/home/bode.vorn" || fail "vornctl new failed"
    cmp -s "$work/home/bode.vorn" "$data/DefaultConfig/Europe/Default_BODE.vorn" ||
        fail "vornctl new did not give the installed Europe default"
    [ "$(run_user "$prefix/bin/vornctl" --simulate capture 2>/dev/null)" = "4D2E" ] || fail "vornctl --simulate capture"
    # The configuration sheet, with the picture drawn into the installation folder.
    run_user "$prefix/bin/vornctl" sheet "$work/home/bode.vorn" -o "$work/home/bode.html" || fail "vornctl sheet failed"
    grep -q '<img src="data:image/png;base64,' "$work/home/bode.html" || fail "the sheet lacks the model's picture"
    # bash completion lists the commands, as the installed vornctl names them.
    local words
    words=$(run_user bash -c 'source /usr/share/bash-completion/bash_completion
        source "$1/share/bash-completion/completions/vornctl"
        COMP_WORDS=("$1/bin/vornctl" ""); COMP_CWORD=1; COMP_LINE="$1/bin/vornctl "; COMP_POINT=${#COMP_LINE}
        _vornctl; printf "%s\n" "${COMPREPLY[@]}"' completion "$prefix") || fail "the completion failed"
    for command in show set sheet read write; do
        grep -qx "$command" <<<"$words" || fail "the completion does not offer $command: $words"
    done
    run_user "$prefix/bin/vorn-programmer" --help | grep -q -- '--simulate' || fail "vorn-programmer --help"
    run_user "$prefix/bin/vorn-programmer" --version | grep -q '^vorn-programmer ' || fail "vorn-programmer --version"
    run_user "$prefix/bin/vorn-programmer" --screenshots "$work/shots" >/dev/null ||
        fail "vorn-programmer --screenshots failed"
    # A picture in every installed language, named after the language as its menu shows it.
    local language
    for file in "$data"/*.lang; do
        language=$(basename "$file")
        language=${language%%.*}
        language=${language%%-*}
        language=${language,,}
        for window in tbsSelectDevice frmSelectDevice frmWait frmReceiveRadio frmChangeCode; do
            [ -s "$work/shots/$language-$window.png" ] || fail "no picture of $window in $language"
        done
    done
    rm -rf "$work/shots"
    echo "check-package: $prefix works ($(find "$prefix" -type f | wc -l) files)"
}

echo "== cmake --install =="
cmake --install "$build" --prefix "$work/tree" >/dev/null
check_tree "$work/tree"
[ "$tree_only" -eq 1 ] && exit 0

echo "== cpack -G DEB =="
(cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null) || fail "cpack -G DEB failed"
deb=$(find "$work/deb" -maxdepth 1 -name 'vorn-programmer_*.deb' | head -n 1)
[ -n "$deb" ] || fail "cpack made no .deb"
dpkg-deb --info "$deb"
grep -q "fonts-noto-cjk" <<<"$(dpkg-deb --field "$deb" Recommends)" ||
    fail "the package does not recommend a font for the Chinese texts"
depends=$(dpkg-deb --field "$deb" Depends)
for library in libc6 libstdc++6 libqt6widgets6 libqt6gui6 libqt6core6; do
    grep -q "$library" <<<"$depends" || fail "the package does not depend on $library: $depends"
done
contents=$(dpkg-deb --contents "$deb")
languages=()
for language in "$source_dir"/data/install/*.lang; do
    languages+=("./usr/share/vorn-programmer/$(basename "$language")")
done
for file in ./usr/bin/vorn-programmer ./usr/bin/vornctl ./usr/share/vorn-programmer/Registry.ini \
            ./usr/share/applications/vorn-programmer.desktop ./usr/lib/udev/rules.d/60-vorn-kdu.rules \
            ./usr/share/man/man1/vornctl.1.gz ./usr/share/doc/vorn-programmer/copyright "${languages[@]}"; do
    grep -qF " $file" <<<"$contents" || fail "$file is not in the package"
done
# Can the dependencies be met here, as on any Debian 12? (apt only simulates.)
if command -v apt-get >/dev/null; then
    apt-get install --simulate --no-install-recommends "$deb" >"$work/apt.log" 2>&1 ||
        { cat "$work/apt.log" >&2; fail "apt-get cannot meet the package's dependencies"; }
fi
# Debian's own checks: no error and no warning but those the overrides explain.
lintian --fail-on error,warning "$deb" || fail "lintian finds fault with the package"
dpkg-deb --extract "$deb" "$work/root"
for program in "$work/root/usr/bin"/*; do
    file -L "$program" | grep -q ', stripped' || fail "$(basename "$program") is not stripped in the package"
done
check_tree "$work/root/usr"
echo "check-package: $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB) installs and runs"
