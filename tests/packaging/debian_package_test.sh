#!/usr/bin/env bash
# Builds the Debian package from the build tree, unpacks it into a scratch root
# as dpkg lays it out, and starts the installed launchers there for a user whose
# HOME is scratch too: the per-user program directory is made, filled and used.
set -euo pipefail
build=$1
for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate; do
    if ! command -v "$tool" > /dev/null; then
        echo "SKIPPED: $tool is not installed; scripts/install-deps.sh installs it"
        exit 77
    fi
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAILED: $*" >&2
    exit 1
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/cpack" > "$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack could not build the package"; }
debs=("$scratch"/cpack/barlabel_*.deb)
deb=${debs[0]}
[ -f "$deb" ] || fail "cpack made no barlabel_*.deb"
depends=$(dpkg-deb -f "$deb" Depends)
# The fonts are named by hand, the libraries found in the binaries.
for package in fonts-arphic-ukai fonts-arphic-uming libqt6widgets6 libcurl4 libshp; do
    [[ $depends == *"$package"* ]] || fail "Depends lacks $package: $depends"
done

root=$scratch/root
dpkg-deb -x "$deb" "$root"
for file in bin/barlabel bin/barlabel-cli lib/barlabel/barlabel lib/barlabel/barlabel-cli \
    lib/barlabel/Bar1Form.htm lib/barlabel/BarSet.ini lib/barlabel/bar2/CustBar.ini \
    share/applications/barlabel.desktop share/icons/hicolor/48x48/apps/barlabel.png \
    share/icons/hicolor/256x256/apps/barlabel.png share/man/man1/barlabel-cli.1.gz; do
    [ -e "$root/usr/$file" ] || fail "the package lacks /usr/$file"
done
desktop-file-validate "$root/usr/share/applications/barlabel.desktop" || fail "desktop-file-validate"
grep -qx 'Exec=barlabel' "$root/usr/share/applications/barlabel.desktop" || fail "the menu entry starts no barlabel"
gzip -t "$root/usr/share/man/man1/barlabel-cli.1.gz" || fail "the manual page is no gzip file"

# A store user: nothing of this shell's environment but a scratch HOME (and a
# sanitizer build's options), started from elsewhere.
home=$scratch/home
mkdir -p "$home" "$scratch/elsewhere" "$scratch/tmp"
as_user() {
    (cd "$scratch/elsewhere" && env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 TMPDIR="$scratch/tmp" \
        ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" "$@")
}
user_dir=$home/.local/share/barlabel

as_user "$root/usr/bin/barlabel-cli" --help > "$scratch/help.txt" || fail "barlabel-cli --help"
grep -q 'tables create' "$scratch/help.txt" || fail "--help lists no tables create: $(cat "$scratch/help.txt")"
for file in Bar1Form.htm BarSet.ini bar2/CustBar.ini; do
    cmp -s "$root/usr/lib/barlabel/$file" "$user_dir/$file" || fail "the first start did not copy $file"
done

as_user "$root/usr/bin/barlabel-cli" tables create || fail "barlabel-cli tables create"
for table in bar1.dbf bar2.DBF; do
    [ -f "$user_dir/$table" ] || fail "tables create made no $table in $user_dir"
    [ ! -e "$scratch/elsewhere/$table" ] || fail "tables create wrote $table where it was started"
done
# Settings, import and export in the user's folder, against the demo back office of the build tree.
coproc BACKOFFICE { exec "$build/bin/barlabel-backoffice" --port 0 --stop-on-stdin-close 2>&1; }
trap 'kill "$BACKOFFICE_PID" 2> /dev/null || :; rm -rf "$scratch"' EXIT
read -r -t 30 line <&"${BACKOFFICE[0]}" || fail "the demo back office did not start"
[[ $line == "listening on 127.0.0.1:"* ]] || fail "the demo back office said: $line"
printf '[SETTING]\r\nSERVER=127.0.0.1:%s\r\nBRAN_NO=01\r\nPASSWD=1234\r\n' "${line##*:}" > "$user_dir/SysSet.ini"
as_user "$root/usr/bin/barlabel-cli" import product --item1 A1001 > /dev/null || fail "barlabel-cli import product"
as_user "$root/usr/bin/barlabel-cli" export products --no-launch > /dev/null || fail "barlabel-cli export products"
# The package's default columns, Big5 as the program reads them: barcode, name, colour, size, price; then the count.
first=$(head -n 1 "$user_dir/Bars.txt" | iconv -f CP950 -t UTF-8)
[[ $first =~ ^[0-9]{13},棉質圓領T恤,[^,]+,[^,]+,\$[0-9]+,1$'\r'$ ]] ||
    fail "Bars.txt in $user_dir does not start with an A1001 row in the default columns: $first"

# Later starts keep the user's settings but bring the help page up to the installed one.
echo 'Par06=#mine' >> "$user_dir/BarSet.ini"
echo 'old page' > "$user_dir/Bar1Form.htm"
as_user "$root/usr/bin/barlabel-cli" --help > /dev/null
grep -q '#mine' "$user_dir/BarSet.ini" || fail "a later start replaced the user's BarSet.ini"
cmp -s "$root/usr/lib/barlabel/Bar1Form.htm" "$user_dir/Bar1Form.htm" || fail "the help page was not renewed"

# XDG_DATA_HOME moves the folder.
as_user env XDG_DATA_HOME="$scratch/data" "$root/usr/bin/barlabel-cli" --help > /dev/null
[ -f "$scratch/data/barlabel/BarSet.ini" ] || fail "XDG_DATA_HOME was not used"

# The desktop program's launcher makes the queue tables it expects before starting it.
rm "$user_dir/bar1.dbf" "$user_dir/bar2.DBF"
as_user env QT_QPA_PLATFORM=offscreen timeout 5 "$root/usr/bin/barlabel" || [ $? = 124 ] ||
    fail "the desktop program's launcher failed"
[ -f "$user_dir/bar1.dbf" ] && [ -f "$user_dir/bar2.DBF" ] || fail "the desktop launcher made no queue tables"
echo "package $(basename "$deb") installs and runs; Depends: $depends"
