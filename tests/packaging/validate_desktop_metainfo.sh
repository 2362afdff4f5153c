#!/bin/sh
# The desktop launcher and the AppStream metainfo as a software centre and a menu read them:
# appstreamcli validate and desktop-file-validate (Debian: appstream, desktop-file-utils), and
# the launcher's name is the id the metainfo's launchable names.
# usage: validate_desktop_metainfo.sh SOURCE_DIR WORK_DIR
# Exit 77 (skipped) when a validator is not installed: `make deps` installs both.
set -u
src=$1 work=$2
for tool in appstreamcli desktop-file-validate; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (Debian packages appstream, desktop-file-utils)"
        exit 77
    fi
done
metainfo="$src/packaging/org.korvane.data-eraser.metainfo.xml"
mkdir -p "$work"
# The launcher as make install and the package write it (staged: nothing outside WORK_DIR).
DESTDIR="$work/stage" cmake -DCMAKE_INSTALL_PREFIX=/opt/korvane-data-eraser -DSOURCE_DIR="$src" \
    -DWORK_DIR="$work" -DSYSTEM_DATADIR=/usr/share -DBUNDLE_NAME=KorvaneLoader.app \
    -P "$src/packaging/InstallSystemFiles.cmake" >/dev/null || exit 1
desktop="$work/org.korvane.data-eraser.desktop"
status=0
appstreamcli validate --no-net --pedantic "$metainfo" || status=1
desktop-file-validate "$desktop" || status=1
# desktop-file-validate prints hints and warnings without failing: none are wanted.
if [ -n "$(desktop-file-validate "$desktop")" ]; then
    echo "FAIL: desktop-file-validate has remarks"; status=1
fi
launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
if [ "$launchable" != "$(basename "$desktop")" ]; then
    echo "FAIL: the metainfo launches '$launchable', the launcher is $(basename "$desktop")"; status=1
fi
id=$(sed -n 's|.*<id>\(.*\)</id>.*|\1|p' "$metainfo")
if ! grep -qx "Icon=$id" "$desktop"; then
    echo "FAIL: the launcher's icon is not the application id $id"; status=1
fi
[ "$status" = 0 ] && echo "metainfo and launcher valid"
exit $status
