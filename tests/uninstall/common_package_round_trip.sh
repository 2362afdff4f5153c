#!/bin/sh
# An application whose desktop entry lies in a shared "-common" package while its program comes
# in another package, behind an /etc/alternatives link: listed, sized and removed as the
# program's package, the shared package left installed. Inside a private mount namespace whose
# /etc, /usr and /var are overlays on a tmpfs: nothing done here reaches the machine. Run by
# PackageRoundTripTest through `unshare --mount --propagation private`.
#   $1 korvane  $2 bundle  $3 work folder (created, empty)
. "$(dirname "$0")/system_overlay.sh"

# build NAME DEPENDS: a package from the tree in $work/NAME.
build() {
    cat > "$work/$1/DEBIAN/control" <<CONTROL
Package: $1
Version: 2.0-1
Architecture: all
Maintainer: Korvane tests <tests@korvane.invalid>
Priority: optional
Section: editors
${2:+Depends: $2
}Description: fixture for the uninstaller's tests
CONTROL
    dpkg-deb --root-owner-group --build "$work/$1" "$work/$1.deb" >/dev/null
}

common=korvane-fixture-quill-common
program=korvane-fixture-quill
mkdir -p "$work/$common/DEBIAN" "$work/$common/usr/share/applications"
cat > "$work/$common/usr/share/applications/kfquill.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=Fixture Quill
Exec=kfquill %F
DESKTOP
build "$common" ""

mkdir -p "$work/$program/DEBIAN" "$work/$program/usr/bin"
head -c 300000 /dev/zero > "$work/$program/usr/bin/kfquill.basic"
chmod 755 "$work/$program/usr/bin/kfquill.basic"
cat > "$work/$program/DEBIAN/postinst" <<'POSTINST'
#!/bin/sh
set -e
update-alternatives --quiet --install /usr/bin/kfquill kfquill /usr/bin/kfquill.basic 10
POSTINST
cat > "$work/$program/DEBIAN/prerm" <<'PRERM'
#!/bin/sh
set -e
[ "$1" = upgrade ] || update-alternatives --quiet --remove kfquill /usr/bin/kfquill.basic
PRERM
chmod 755 "$work/$program/DEBIAN/postinst" "$work/$program/DEBIAN/prerm"
build "$program" "$common"
dpkg -i "$work/$common.deb" >/dev/null
dpkg -i "$work/$program.deb" >/dev/null
[ "$(readlink /usr/bin/kfquill)" = /etc/alternatives/kfquill ] || fail "no alternatives link"

home="$work/home"
mkdir -p "$home/.config/kfquill"
echo settings > "$home/.config/kfquill/settings"

list=$("$korvane" apps --bundle "$bundle" --home "$home")
echo "$list" | grep -q "^Fixture Quill	kfquill	2.0-1	deb:$program	" ||
    fail "not listed as the program's package: $list"
json=$("$korvane" apps --json --bundle "$bundle" --home "$home")
echo "$json" | grep -q '"size": "0KB"' && fail "listed without a size: $json"

"$korvane" apps remove "Fixture Quill" --yes --bundle "$bundle" --home "$home" ||
    fail "remove failed"
status=$(dpkg-query -W -f='${Status}' "$program" 2>/dev/null || true)
case "$status" in *"install ok installed"*) fail "the program's package stayed: $status" ;; esac
status=$(dpkg-query -W -f='${Status}' "$common" 2>/dev/null || true)
case "$status" in *"install ok installed"*) ;; *) fail "the shared package went: $status" ;; esac
[ ! -e "$home/.config/kfquill" ] || fail "its settings stayed"
echo "round trip ok"
