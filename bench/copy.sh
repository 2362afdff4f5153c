#!/usr/bin/env bash
# Disk copy between two volumes: korvane copy (with and without --verify) against cp -a and
# rsync -a, on the same tree, in one run.
#   sudo bench/copy.sh [-b BUILD] [-d SCRATCH] [-n FILES] [-l LARGE] [-r ROUNDS]
#   -b BUILD    build tree holding bin/korvane (default: ../build from here)
#   -d SCRATCH  folder for the two images (default: a fresh folder under /var/tmp); never the
#               checkout
#   -n FILES    small files in the tree (default 10000), 1 to 64 KiB each
#   -l LARGE    size of the one large file (default 1G)
#   -r ROUNDS   runs per tool; the median counts (default 3)
# The tree lies on one ext4 loop image, the copies go to a second one (put them on /dev/shm with
# -d to keep the host's own disk out of the figures). The source is read before each run (warm
# cache, as a user copying what they just looked at); the tools take turns round by round; each
# run copies
# into an empty folder and is followed by a sync of the destination, timed with it, so that
# every tool is charged for getting its bytes to the device. Each copy is compared with the
# tree (diff -r) after its run. Needs rsync (apt-get install rsync).
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/build"
scratch=""
files=10000
large=1G
rounds=3
usage() { sed -n '4,9p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
while getopts "b:d:n:l:r:h" opt; do
    case "$opt" in
    b) build="$OPTARG" ;;
    d) scratch="$OPTARG" ;;
    n) files="$OPTARG" ;;
    l) large="$OPTARG" ;;
    r) rounds="$OPTARG" ;;
    *) usage ;;
    esac
done
[ "$(id -u)" = 0 ] || { echo "needs root (loop devices and mounts)" >&2; exit 1; }
command -v rsync >/dev/null || { echo "needs rsync (apt-get install rsync)" >&2; exit 1; }
largeBytes=$(numfmt --from=iec "$large")
work="$(mktemp -d "${scratch:-/var/tmp}/korvane-copy-bench.XXXXXX")"
case "$work" in "$here"/*) echo "refusing to work inside the checkout" >&2; exit 2 ;; esac
cp "$build/bin/korvane" "$work/korvane"

devices=()
cleanup() {
    for m in "$work/src" "$work/dst"; do mountpoint -q "$m" && umount "$m"; done
    for d in "${devices[@]}"; do losetup -d "$d" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
imageSize=$(( largeBytes + files * 70 * 1024 + 512 * 1024 * 1024 ))
for side in src dst; do
    truncate -s "$imageSize" "$work/$side.img"
    mkfs.ext4 -q -E lazy_itable_init=0,lazy_journal_init=0 "$work/$side.img"
    dev=$(losetup -f --show "$work/$side.img")
    devices+=("$dev")
    mkdir "$work/$side"
    mount "$dev" "$work/$side"
done

tree="$work/src/tree"
mkdir -p "$tree"
for ((i = 0; i < files; i++)); do
    d="$tree/d$((i % 100))"
    [ -d "$d" ] || mkdir "$d"
    head -c $(( (i * 7919) % 65536 + 1024 )) /dev/urandom > "$d/f$i.dat"
done
head -c "$largeBytes" /dev/urandom > "$tree/large.bin"
sync
cat $(find "$tree" -type f) > /dev/null # warm

total=$(du -sb "$tree" | cut -f1)
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
names=("cp -a" "rsync -a" "korvane copy" "korvane copy --verify")
commands=("cp -a" "rsync -a" "$work/korvane copy" "$work/korvane copy --verify")
declare -A times
# Round by round, each tool once, so that a slow spell of the machine falls on all of them.
for ((r = 0; r < rounds; r++)); do
    for k in "${!names[@]}"; do
        rm -rf "$work/dst/out"; mkdir "$work/dst/out"; sync; echo 1 > /proc/sys/vm/drop_caches
        cat $(find "$tree" -type f) > /dev/null
        start=$(date +%s.%N)
        ${commands[$k]} "$tree" "$work/dst/out" > /dev/null
        sync -f "$work/dst/out"
        end=$(date +%s.%N)
        diff -r --no-dereference "$tree" "$work/dst/out/tree" > /dev/null ||
            { echo "${names[$k]}: the copy differs" >&2; exit 1; }
        times[$k]+="$(echo "$end - $start" | bc) "
    done
done
echo "tree: $files files + one of $large, $(numfmt --to=si "$total")B; median of $rounds"
for k in "${!names[@]}"; do
    t=$(printf '%s\n' ${times[$k]} | median)
    printf '%-22s %7.2f s  %7.1f MB/s   (runs: %s)\n' "${names[$k]}" "$t" \
        "$(echo "$total / $t / 1000000" | bc -l)" "${times[$k]% }"
done
