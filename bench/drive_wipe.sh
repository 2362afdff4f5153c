#!/usr/bin/env bash
# Whole-drive overwrite speed: the volume tool's wipe (what `korvane wipe-drive` runs) against
# dd with O_DIRECT writing the same device, and against nwipe, on a loop device backed by
# memory (/dev/shm) and one backed by the VM disk (/var/tmp).
#   sudo bench/drive_wipe.sh [-b BUILD] [-s SIZE]
#   -b BUILD  build tree holding the bundle with diskutil (default: ../build from here)
#   -s SIZE   size of each drive image, e.g. 1G (default 1G, or $SIZE)
# ROUNDS (default 3) rounds of korvane and dd in turn; nwipe, much slower, runs in the first.
# Every tool writes without reading back and flushes the device at the end (dd conv=fsync): korvane level 1 writes random data and
# then zeros (two passes, as srm does for files), so its MB/s is over both; dd and nwipe write
# one pass of zeros, and nwipe once more with its random stream. MB/s = bytes written / wall
# time; CPU = user + system seconds. nwipe is Debian's package (apt-get install nwipe); its
# rows are skipped without it.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/build"
size="${SIZE:-1G}"
while getopts "b:s:" opt; do
    case "$opt" in
    b) build="$OPTARG" ;;
    s) size="$OPTARG" ;;
    *) exit 2 ;;
    esac
done
[ "$(id -u)" = 0 ] || { echo "run as root (loop devices)" >&2; exit 1; }
diskutil="$build/bundle/KorvaneLoader.app/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources/diskutil"
[ -x "$diskutil" ] || { echo "no diskutil in $build (build first)" >&2; exit 1; }

bytes=$(numfmt --from=iec "$size")
printf '%-8s %-28s %8s %8s %7s\n' backing tool seconds MB/s CPU-s

run() { # BACKING LABEL WRITTEN-BYTES COMMAND...
    local backing="$1" label="$2" written="$3"
    shift 3
    local t0 t1 cpu
    t0=$(date +%s.%N)
    /usr/bin/time -f '%U %S' -o "$folder/cpu" "$@" >/dev/null 2>&1
    t1=$(date +%s.%N)
    cpu=$(awk '{print $1 + $2}' "$folder/cpu")
    awk -v b="$backing" -v l="$label" -v w="$written" -v s="$(echo "$t1 - $t0" | bc)" -v c="$cpu" \
        'BEGIN { printf "%-8s %-28s %8.2f %8.0f %7.2f\n", b, l, s, w / s / 1e6, c }'
}

rounds="${ROUNDS:-3}"
for backing in /dev/shm /var/tmp; do
    folder=$(mktemp -d "$backing/korvane-drive-bench.XXXXXX")
    image="$folder/drive.img"
    # Every block of the image exists before the first timed run: whoever ran first would
    # otherwise pay for the backing file's allocation.
    fallocate -l "$size" "$image"
    dev=$(losetup -f --show "$image")
    dd if=/dev/zero of="$dev" bs=8M oflag=direct conv=fsync count=$((bytes / 8388608)) 2>/dev/null
    name=$(basename "$backing")
    # The tools take turns, round after round, so a passing slowdown of the machine falls on each.
    for round in $(seq "$rounds"); do
        run "$name" "korvane wipe (level 1)" $((bytes * 2)) "$diskutil" wipe "$dev" --level 1 --verify none
        run "$name" "dd zeros oflag=direct,fsync" "$bytes" dd if=/dev/zero of="$dev" bs=8M oflag=direct conv=fsync \
            count=$((bytes / 8388608))
        if command -v nwipe >/dev/null && [ "$round" = 1 ]; then
            run "$name" "nwipe zero" "$bytes" nwipe --nogui --autonuke --nowait --noblank \
                --verify=off -m zero "$dev"
            run "$name" "nwipe random" "$bytes" nwipe --nogui --autonuke --nowait --noblank \
                --verify=off -m random "$dev"
        fi
    done
    losetup -d "$dev"
    rm -rf "$folder"
done
