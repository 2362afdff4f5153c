#!/bin/sh
# The Debian package as `make deb` makes it, read back with dpkg-deb: the files a user needs where
# Debian looks for them, the whole bundle of the build tree but nothing the programs wrote there,
# stripped programs, the maintainer scripts, and Depends naming packages.
# usage: deb_contents_test.sh BUILD_DIR WORK_DIR SOURCE_DIR
# Builds with gzip instead of xz (same files, a fraction of the time). Exit 77 without dpkg-deb.
set -u
build=$1 work=$2 src=$3
for tool in cpack dpkg-deb dpkg-shlibdeps readelf; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed (dpkg-dev)"; exit 77; }
done
rm -rf "$work" && mkdir -p "$work"
(cd "$build" && cpack -G DEB -B "$work" -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip >"$work/cpack.log" 2>&1) || {
    cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$work/korvane-data-eraser_${version}_amd64.deb"
[ -f "$deb" ] || { echo "FAIL: no $deb"; ls "$work"; exit 1; }

status=0
fail() { echo "FAIL: $*"; status=1; }
prefix=./opt/korvane-data-eraser
bundle="$prefix/KorvaneLoader.app"
main="$bundle/Contents/MacOS/Korvane Data Eraser.app/Contents"

dpkg-deb -c "$deb" | sed -E 's/^[^ ]+ +[^ ]+ +[0-9]+ +[0-9-]+ +[0-9:]+ +//' >"$work/listing"
# Names only (dpkg-deb -c shows "NAME -> TARGET" for links).
sed 's/ -> .*//; s|/$||' "$work/listing" | sort >"$work/files"
has() { grep -qxF "$1" "$work/files" || fail "the package lacks $1"; }
has ./usr/bin/korvane
grep -qxF "./usr/bin/korvane -> /opt/korvane-data-eraser/bin/korvane" "$work/listing" ||
    fail "/usr/bin/korvane is not a link to /opt/korvane-data-eraser/bin/korvane"
has "$prefix/bin/korvane"
has ./usr/share/man/man1/korvane.1.gz
has ./usr/share/man/man1/srm.1korvane.gz
has ./usr/share/bash-completion/completions/korvane
has ./usr/share/applications/org.korvane.data-eraser.desktop
has ./usr/share/icons/hicolor/scalable/apps/org.korvane.data-eraser.svg
has ./usr/share/metainfo/org.korvane.data-eraser.metainfo.xml
has ./usr/share/polkit-1/actions/org.korvane.data-eraser.policy
has "$prefix/share/korvane-data-eraser/defaults/NexwipeBase.plist"
has "$prefix/share/korvane-data-eraser/defaults/DataBase.db"
has "$bundle/Contents/MacOS/KorvaneLoader"
has "$main/MacOS/Korvane Data Eraser"
has "$main/Resources/srm"
has "$main/Resources/diskutil"

# Every file of the build tree's bundle, but what the programs write at run time.
(cd "$build/bundle" && find . -mindepth 1 \( -type f -o -type l \) -print) |
    grep -v -E '/Contents/Resources/(NexwipeBase\.plist|\.NexwipeBase\.plist\..*|DataBase\.db.*|\.DataBase\.db\..*|CertificateKey(/.*)?|drive-wipes(/.*)?)$' |
    sed "s|^\./|$prefix/|" | sort >"$work/bundle-files"
comm -23 "$work/bundle-files" "$work/files" >"$work/missing"
[ -s "$work/missing" ] && fail "bundle files not in the package: $(cat "$work/missing")"
grep -E '/Contents/Resources/(NexwipeBase\.plist|DataBase\.db|CertificateKey|drive-wipes)' "$work/files" |
    grep -v /defaults/ >"$work/state" && fail "run-time files in the package: $(cat "$work/state")"
# Nothing outside /opt/korvane-data-eraser and /usr (no /usr/local, no /etc).
grep -v -E '^\.(/opt|/opt/korvane-data-eraser(/.*)?|/usr|/usr/(bin|share)(/.*)?)?$' "$work/files" >"$work/outside" &&
    fail "files outside the layout: $(cat "$work/outside")"
grep -q '^\./usr/local' "$work/files" && fail "files in /usr/local"
# /opt belongs to no package: listed, dpkg would remove it with this one.
grep -qx '\./opt' "$work/files" && fail "the package lists ./opt/ (packaging/debian/omit-opt-entry.py)"

# dpkg's own tar reader takes ustar and GNU headers only (no pax extended headers).
dpkg-deb --fsys-tarfile "$deb" | python3 -c '
import sys, tarfile
bad = [m.name for m in tarfile.open(fileobj=sys.stdin.buffer, mode="r|") if m.pax_headers]
print("\n".join(bad)); sys.exit(1 if bad else 0)' >"$work/pax" || fail "pax headers dpkg cannot read: $(head -3 "$work/pax")"

# Extracted: stripped programs, launcher and policy naming the installed programs.
dpkg-deb -x "$deb" "$work/root"
for program in "$work/root/opt/korvane-data-eraser/bin/korvane" \
               "$work/root/${bundle#./}/Contents/MacOS/KorvaneLoader" \
               "$work/root/${main#./}/MacOS/Korvane Data Eraser" \
               "$work/root/${main#./}/Resources/srm" "$work/root/${main#./}/Resources/diskutil"; do
    readelf -S "$program" | grep -q '\.debug_info' && fail "not stripped: $program"
done
grep -qxF 'Exec="/opt/korvane-data-eraser/KorvaneLoader.app/Contents/MacOS/KorvaneLoader"' \
    "$work/root/usr/share/applications/org.korvane.data-eraser.desktop" || fail "launcher's Exec"
grep -qF '>/opt/korvane-data-eraser/KorvaneLoader.app/Contents/MacOS/Korvane Data Eraser.app/Contents/MacOS/Korvane Data Eraser<' \
    "$work/root/usr/share/polkit-1/actions/org.korvane.data-eraser.policy" || fail "policy's exec.path"

# Control: maintainer scripts, and Depends as package names.
dpkg-deb -e "$deb" "$work/control"
for script in preinst postinst postrm; do
    [ -x "$work/control/$script" ] || fail "no executable $script"
done
[ "$(dpkg-deb -f "$deb" Package)" = korvane-data-eraser ] || fail "Package"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "Version"
[ "$(dpkg-deb -f "$deb" Architecture)" = amd64 ] || fail "Architecture"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
echo "$depends" | tr ',' '\n' | sed 's/^ *//' >"$work/depends"
grep -v -E '^[a-z0-9][a-z0-9+.-]+( \((>=|=|>>) [^)]+\))?( \| [a-z0-9][a-z0-9+.-]+( \([^)]+\))?)*$' \
    "$work/depends" >"$work/bad" && fail "Depends entries that are not package names: $(cat "$work/bad")"
printf 'include("%s")\nexecute_process(COMMAND echo "${KORVANE_DEB_DEPENDS}")\n' \
    "$src/packaging/DebianDepends.cmake" >"$work/depends.cmake"
needed=$(cmake -P "$work/depends.cmake" | tr -d ',')
[ -n "$needed" ] || fail "no Depends read from DebianDepends.cmake"
for package in $needed libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libqt6dbus6 libqt6network6 \
               libplist3 libsqlite3-0 libmount1 libblkid1 libsodium23; do
    cut -d' ' -f1 "$work/depends" | grep -qxF "$package" || fail "Depends lacks $package"
done
ls -l "$deb"
[ "$status" = 0 ] && echo "package contents and Depends as expected"
exit $status
