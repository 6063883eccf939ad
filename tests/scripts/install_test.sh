#!/usr/bin/env bash
# `cmake --install` into a temporary prefix lays the editor out as a Linux
# application: the three programs, the desktop file and its icon, the udev
# rule and the help in both languages. With "package", the Debian package
# built by CPack lists the same files below /usr and names its dependencies.
set -euo pipefail
build_dir=$1
mode=${2:-install}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

expected=(
    bin/sonavel
    bin/sonavel-cli
    bin/sonavel-devsim
    share/applications/sonavel.desktop
    share/icons/hicolor/scalable/apps/sonavel.svg
    lib/udev/rules.d/70-sonavel.rules
    share/doc/sonavel/EN_Help.html
    share/doc/sonavel/CH_Help.html
    share/doc/sonavel/images/main-en.png
    share/doc/sonavel/images/main-zh.png
)

if [ "$mode" = install ]; then
    cmake --install "$build_dir" --prefix "$work/prefix" >"$work/install.log" ||
        { cat "$work/install.log" >&2; fail "cmake --install failed"; }
    for file in "${expected[@]}"; do
        [ -e "$work/prefix/$file" ] || fail "missing $file"
    done
    for program in sonavel sonavel-cli sonavel-devsim; do
        [ -x "$work/prefix/bin/$program" ] || fail "bin/$program is not executable"
    done
    # Every picture the installed help shows is installed beside it.
    for page in "$work/prefix/share/doc/sonavel/"*.html; do
        for picture in $(sed -n 's/.*<img [^>]*src="\([^"]*\)".*/\1/p' "$page"); do
            [ -f "$(dirname "$page")/$picture" ] ||
                fail "$(basename "$page") shows $picture, which is not installed"
        done
    done
    grep -q '^Exec=sonavel' "$work/prefix/share/applications/sonavel.desktop" ||
        fail "the desktop file does not start sonavel"
    grep -q '^Icon=sonavel$' "$work/prefix/share/applications/sonavel.desktop" ||
        fail "the desktop file does not name the icon"
    # The installed editor finds its help beside bin, from any working directory.
    (cd / && QT_QPA_PLATFORM=offscreen "$work/prefix/bin/sonavel" --version) | grep -q 'Sonavel' ||
        fail "the installed editor does not start"
    echo "install: ${#expected[@]} files laid out"
    exit 0
fi

command -v dpkg-deb >/dev/null || { echo "dpkg-deb missing: package check skipped"; exit 0; }
cpack --config "$build_dir/CPackConfig.cmake" -B "$work/dist" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$(find "$work/dist" -maxdepth 1 -name 'sonavel_*.deb' | head -n 1)
[ -n "$deb" ] || fail "no .deb in $work/dist"
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./||' >"$work/contents"
for file in "${expected[@]}"; do
    grep -qx "usr/$file" "$work/contents" || fail "the package does not hold /usr/$file"
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6network6 libhidapi-hidraw0; do
    echo "$depends" | grep -q "$library" || fail "Depends lacks $library: $depends"
done
echo "package: $(basename "$deb") holds ${#expected[@]} files; Depends: $depends"
