#!/bin/sh
# Installs a small package, lists it, and removes it with its leftovers through
# `korvane apps remove`, inside a private mount namespace whose /etc, /usr and /var are
# overlays on a tmpfs: nothing done here reaches the machine. Run by PackageRoundTripTest
# through `unshare --mount --propagation private`.
#   $1 korvane  $2 bundle  $3 work folder (created, empty)
. "$(dirname "$0")/system_overlay.sh"

pkg=korvane-round-trip-viewer
root="$work/package"
mkdir -p "$root/DEBIAN" "$root/usr/share/applications" "$root/usr/bin"
cat > "$root/DEBIAN/control" <<CONTROL
Package: $pkg
Version: 1.2.3
Architecture: all
Maintainer: Korvane tests <tests@korvane.invalid>
Priority: optional
Section: misc
Description: fixture application for the uninstaller's tests
CONTROL
cat > "$root/usr/share/applications/$pkg.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=Round Trip Viewer
Exec=round-trip-viewer %f
DESKTOP
printf '#!/bin/sh\n' > "$root/usr/bin/round-trip-viewer"
chmod 755 "$root/usr/bin/round-trip-viewer"
dpkg-deb --root-owner-group --build "$root" "$work/$pkg.deb" >/dev/null
dpkg -i "$work/$pkg.deb" >/dev/null

home="$work/home"
mkdir -p "$home/.config/$pkg" "$home/.cache/RoundTripViewer" "$home/.config/round-trip-other"
echo settings > "$home/.config/$pkg/settings.ini"
echo cache > "$home/.cache/RoundTripViewer/blob"

list=$("$korvane" apps --bundle "$bundle" --home "$home")
echo "$list" | grep -q "^Round Trip Viewer	$pkg	1.2.3	deb:$pkg	" ||
    fail "not listed with its version: $list"

"$korvane" apps remove "$pkg" --yes --bundle "$bundle" --home "$home" || fail "remove failed"
status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
case "$status" in *"install ok installed"*) fail "dpkg still lists it: $status" ;; esac
[ ! -e "$home/.config/$pkg" ] || fail "its settings stayed"
[ ! -e "$home/.cache/RoundTripViewer" ] || fail "its cache stayed"
[ -e "$home/.config/round-trip-other" ] || fail "another application's settings went"
echo "round trip ok"
