#!/usr/bin/env bash
# package_test.sh <build folder>
# Builds the .deb of the build folder with CPack, unpacks it into a scratch
# root and runs the packaged quorval-cli from there: it must find its move
# library in the package and keep its files in the user's application data
# folder, not beside itself.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# gzip: the test's package need not be small, only quick to make.
cpack --config "$build/CPackConfig.cmake" -B "$work/out" -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip \
    > "$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(find "$work/out" -maxdepth 1 -name 'quorval_*.deb')
[ -n "$deb" ] || { cat "$work/cpack.log"; fail "no quorval_*.deb made"; }
echo "package: $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libqt6network6 libc6; do
    echo "$depends" | grep -q "$needed" || fail "Depends does not name $needed"
done
echo "$depends" | grep -q tlmpgn32 && fail "Depends names the package's own library"

root="$work/root"
dpkg-deb -x "$deb" "$root"
for file in usr/bin/quorval usr/bin/quorval-cli usr/share/applications/quorval.desktop \
            usr/share/icons/hicolor/scalable/apps/quorval.svg usr/share/quorval/demo.json; do
    [ -e "$root/$file" ] || fail "$file is not in the package"
done
find "$root/usr/lib" -name 'libtlmpgn32.so*' | grep -q . || fail "the move library is not in the package"
grep -q '^Exec=quorval$' "$root/usr/share/applications/quorval.desktop" || fail "the menu entry does not start quorval"
if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$root/usr/share/applications/quorval.desktop" || fail "the menu entry is not valid"
fi

home="$work/home"
mkdir -p "$home"
run_cli() { env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u QUORVAL_FOLDER HOME="$home" "$root/usr/bin/quorval-cli" "$@"; }

ldd "$root/usr/bin/quorval-cli" | grep tlmpgn32 | grep -q "$root" \
    || { ldd "$root/usr/bin/quorval-cli"; fail "quorval-cli does not load the packaged move library"; }
run_cli --help > "$work/help.out" || fail "quorval-cli --help failed"
grep -q 'servers' "$work/help.out" || { cat "$work/help.out"; fail "--help does not list the commands"; }

data="$home/.local/share/Quorval/Quorval"
mkdir -p "$data/servers"
printf 'http://127.0.0.1:9/XfccBasic.asmx\r\ndemo\r\ndemo\r\n\r\n' > "$data/servers/Packaged server"
run_cli servers > "$work/servers.out" || { cat "$work/servers.out"; fail "quorval-cli servers failed"; }
cat "$work/servers.out"
grep -q 'Packaged server' "$work/servers.out" || fail "the server in the application data folder is not listed"
[ ! -e "$root/usr/bin/servers" ] && [ ! -e "$root/usr/bin/quorval.ini" ] \
    || fail "the installed program wrote beside its executable"
echo "package: unpacked, runs, keeps its files in $data"
