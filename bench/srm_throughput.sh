#!/usr/bin/env bash
# Throughput of one random pass of srm against dd and shred, in one run on the same disk.
#   bench/srm_throughput.sh [SRM] [FOLDER] [ROUNDS]
# SRM defaults to the tool in the build tree's bundle; FOLDER (on the disk to measure) defaults
# to a fresh folder under build/. Every tool gets a fully written, synced 1 GiB file to
# overwrite; dd copies pre-generated random data from /dev/shm, so reading its source costs
# nothing. The best of ROUNDS (default 3) counts for each tool.
# srm always removes what it overwrote, and removing a 1 GiB file (freeing its blocks and its
# cached pages) costs a few tenths of a second on its own; so dd and shred are timed twice: the
# pass alone, and the pass followed by the removal (rm; shred -u).
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
srm="${1:-$here/build/bundle/KorvaneLoader.app/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources/srm}"
base="${2:-$here/build}"
rounds="${3:-3}"
size=$((1024 * 1024 * 1024))

[ -x "$srm" ] || { echo "srm not found at $srm (build it first)" >&2; exit 1; }
command -v shred >/dev/null || { echo "shred not found" >&2; exit 1; }

work="$(mktemp -d "$base/srm-bench.XXXXXX")"
source="$(mktemp /dev/shm/srm-bench-source.XXXXXX)"
trap 'rm -rf "$work" "$source"' EXIT

head -c "$size" /dev/urandom >"$source"

# A target that exists with all its blocks written and on disk, as a file to erase would be.
prepare() {
    dd if="$source" of="$1" bs=4M conv=fsync status=none
    sync
}

seconds() {
    local start end
    start=$(date +%s.%N)
    "$@"
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}

best() {
    local tool="$1" bestTime="" t target
    for ((i = 0; i < rounds; i++)); do
        target="$work/target"
        prepare "$target"
        case "$tool" in
        dd) t=$(seconds dd if="$source" of="$target" bs=4M conv=fsync,notrunc status=none) ;;
        dd+rm) t=$(seconds sh -c 'dd if="$1" of="$2" bs=4M conv=fsync,notrunc status=none && rm "$2"' sh "$source" "$target") ;;
        srm) t=$(seconds "$srm" -s "$target") ;;
        shred) t=$(seconds shred -n 1 "$target") ;;
        shred-u) t=$(seconds shred -n 1 -u "$target") ;;
        esac
        rm -f "$target"
        if [ -z "$bestTime" ] || [ "$(echo "$t < $bestTime" | bc -l)" = 1 ]; then
            bestTime=$t
        fi
    done
    echo "$bestTime"
}

mbps() { echo "scale=0; $size / 1000000 / $1" | bc -l; }

echo "disk: $(df -h --output=source,fstype "$work" | tail -1)   rounds: $rounds   size: 1 GiB"
tdd=$(best dd)
tddrm=$(best dd+rm)
tsrm=$(best srm)
tshred=$(best shred)
tshredu=$(best shred-u)
line() { printf '%-34s %6s MB/s  (%.2f s)\n' "$1" "$(mbps "$2")" "$2"; }
line "dd from /dev/shm, fsync" "$tdd"
line "dd from /dev/shm, fsync, then rm" "$tddrm"
line "srm -s (pass, sync, remove)" "$tsrm"
line "shred -n 1" "$tshred"
line "shred -n 1 -u" "$tshredu"
ratio() { printf '%-34s %.2f  (goal >= %s)\n' "$1" "$(echo "$2 / $tsrm" | bc -l)" "$3"; }
ratio "srm vs dd (pass only)" "$tdd" 0.90
ratio "srm vs dd then rm" "$tddrm" 0.90
ratio "srm vs shred -n 1" "$tshred" 3.00
ratio "srm vs shred -n 1 -u" "$tshredu" 3.00
