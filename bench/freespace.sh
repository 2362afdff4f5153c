#!/usr/bin/env bash
# One pass over the free space of a freshly made volume: korvane wipe-free-space against a dd
# zero fill and the sfill of Debian's secure-delete package, on loop images of each file system.
#   sudo bench/freespace.sh [-b BUILD] [-d SCRATCH] [-s SIZE] [-r ROUNDS] [-t TYPES] [-m SMALL]
#   -b BUILD    build tree holding bin/korvane and bundle/KorvaneLoader.app (default: ../build
#               from here); both are copied first, so a build running there does not matter
#   -d SCRATCH  folder to hold the images; a fresh folder is made inside it (default: a fresh
#               folder under /var/tmp). Never inside the checkout.
#   -s SIZE     size of each image, e.g. 1G, 512M (default 1G, or $SIZE)
#   -r ROUNDS   runs per tool and file system; the median time counts (default 1, or $ROUNDS)
#   -t TYPES    file systems, out of "ext4 btrfs exfat" (default "ext4", or $TYPES)
#   -m SMALL    small files among the marked ones (default 300, or $SMALL); on btrfs they are
#               inline in the metadata: -t btrfs -m 4000 frees more leaves than a fill's own
#               commits rewrite
# Every run gets a new image: mkfs, mount, 90% of the available space written as 8 MiB files
# plus SMALL small ones (512 bytes to 3 KiB, named with a second marker), all holding one marker
# (32 bytes, new for each run) over and over, synced, removed with rm and synced again. btrfs
# is mounted with nodiscard, as a disk that takes no discards: a loop device's discards punch
# freed blocks out of the image and would make any tool look perfect. Then one tool runs on the mount point with the
# clock on, followed by a sync of that file system, timed with it; the image is
# unmounted and searched for the marker. "left" is the share of the written markers still in
# the image (the worst run); "before" is the same count taken after the rm, so that a 0% left
# means something; "names" is the same for the small files' names (left/before, raw counts).
# "meta s" is the part of korvane's time its metadata fill took (btrfs: throw-away entries
# until the metadata space is full, and their removal), from its own report; the dd rows are a
# data-only fill. MB/s is over the free blocks at the start (root's share included);
# speed/dd is dd's (O_DIRECT) median time over the tool's. dd through the page cache is there
# too, since that is how korvane writes. sfill runs with -I, the free space only, as the
# others do; "sfill -l -f" is the same with its pass over free inodes, which is what reaches
# btrfs's metadata.
# korvane runs from a copy with --bundle pointing at a copy of the bundle without DataBase.db,
# so nothing is recorded anywhere. Without secure-delete (apt-get install secure-delete) the
# sfill rows are skipped.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/build"
scratch=""
size="${SIZE:-1G}"
rounds="${ROUNDS:-1}"
types="${TYPES:-ext4}"
bigFile=$((8 * 1024 * 1024))
smallFiles="${SMALL:-300}"

usage() { sed -n '4,14p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
while getopts "b:d:s:r:t:m:h" opt; do
    case "$opt" in
    b) build="$OPTARG" ;;
    d) scratch="$OPTARG" ;;
    s) size="$OPTARG" ;;
    r) rounds="$OPTARG" ;;
    t) types="$OPTARG" ;;
    m) smallFiles="$OPTARG" ;;
    *) usage ;;
    esac
done
[[ "$rounds" =~ ^[1-9][0-9]*$ ]] || { echo "not a positive number: $rounds" >&2; exit 2; }
[[ "$smallFiles" =~ ^[0-9]+$ ]] || { echo "not a number: $smallFiles" >&2; exit 2; }
sizeBytes=$(numfmt --from=iec "$size") || exit 2
[ "$sizeBytes" -ge $((128 * 1024 * 1024)) ] || { echo "an image needs at least 128M" >&2; exit 2; }
[ "$(id -u)" = 0 ] || { echo "needs root (loop devices and mounts)" >&2; exit 1; }

need() { command -v "$1" >/dev/null || { echo "$1 is not installed ($2)" >&2; exit 1; }; }
for t in $types; do
    case "$t" in
    ext4) need mkfs.ext4 "e2fsprogs" ;;
    btrfs) need mkfs.btrfs "btrfs-progs" ;;
    exfat) need mkfs.exfat "exfatprogs"; need mount.exfat-fuse "exfat-fuse" ;;
    *) echo "unknown file system type: $t (ext4, btrfs or exfat)" >&2; exit 2 ;;
    esac
done
need losetup "mount"
need python3 "python3"
need bc "bc"

build="$(realpath -e "$build")"
[ -x "$build/bin/korvane" ] || { echo "korvane not found at $build/bin/korvane (build it first)" >&2; exit 1; }
[ -d "$build/bundle/KorvaneLoader.app" ] || { echo "no bundle at $build/bundle (build it first)" >&2; exit 1; }
sfill=/usr/bin/sfill
if [ -x "$sfill" ] && dpkg -S "$sfill" 2>/dev/null | grep -q '^secure-delete:'; then
    tools="korvane dd dd-buffered sfill-l sfill-ll sfill-l-inodes"
else
    tools="korvane dd dd-buffered"
    echo "note: $sfill from the secure-delete package is missing (apt-get install secure-delete);" \
        "the sfill rows are skipped" >&2
fi

# The scratch folder: a fresh one, and never inside the checkout.
scratch="$(realpath -e "${scratch:-/var/tmp}")" || { echo "no such scratch folder" >&2; exit 1; }
[ -d "$scratch" ] || { echo "scratch $scratch is not a folder" >&2; exit 1; }
checkout="$(realpath -e "$here")"
case "$scratch/" in
"$checkout"/*) echo "refusing: scratch folder $scratch is inside the checkout $checkout" >&2; exit 1 ;;
esac
work="$(mktemp -d "$scratch/korvane-freespace-bench.XXXXXX")"

image="$work/image"
mnt="$work/mnt"
loop=""
mkdir "$mnt"

# Only the mount point and loop device made here are touched, whatever else is attached.
detach() {
    local attempt
    [ -n "$loop" ] || return 0
    # exfat-fuse may still hold the device for a moment after the unmount returns.
    for ((attempt = 0; attempt < 50; attempt++)); do
        losetup -d "$loop" 2>/dev/null && { loop=""; return 0; }
        sleep 0.1
    done
    echo "could not detach $loop" >&2
    return 1
}
unmount() {
    if mountpoint -q "$mnt"; then
        umount "$mnt" || umount -l "$mnt"
    fi
    detach
}
cleanUp() {
    unmount || true
    if mountpoint -q "$mnt"; then
        echo "$mnt is still mounted; leaving $work" >&2
    else
        rm -rf -- "$work"
    fi
}
trap cleanUp EXIT
trap 'exit 130' INT TERM

# The throw-away tools: korvane and its bundle, without a history.
mkdir "$work/tools"
cp -a -- "$build/bundle/KorvaneLoader.app" "$work/tools/"
install -m 0755 "$build/bin/korvane" "$work/tools/korvane"
bundle="$work/tools/KorvaneLoader.app"
find "$bundle" -name DataBase.db -delete
chown -R root:root "$work/tools" # as root, korvane refuses a tool others could write
korvane="$work/tools/korvane"

cat >"$work/marker.py" <<'EOF'
import errno, os, sys

def fill(folder, marker, target, big, small, namemark):
    """Writes TARGET bytes as files of BIG bytes, then SMALL small files named NAMEMARK + N;
    prints the markers."""
    marker = marker.encode()
    block = marker * (big // len(marker))
    os.mkdir(folder)
    written = 0
    try:
        k = 0
        while written + len(block) <= target:
            with open(os.path.join(folder, "b%05d" % k), "wb") as f:
                f.write(block)
            written += len(block)
            k += 1
        small_dir = os.path.join(folder, "small")
        os.mkdir(small_dir)
        for k in range(small):
            data = marker * (16 * (k % 6 + 1))  # 512 bytes to 3 KiB
            with open(os.path.join(small_dir, "%s%05d" % (namemark, k)), "wb") as f:
                f.write(data)
            written += len(data)
    except OSError as e:
        if e.errno != errno.ENOSPC:
            raise
        print("note: the volume was full before the fill was", file=sys.stderr)
    print(written // len(marker))

def count(path, marker):
    marker = marker.encode()
    found, tail = 0, b""
    with open(path, "rb", buffering=0) as f:
        while True:
            chunk = f.read(64 << 20)
            if not chunk:
                break
            data = tail + chunk
            found += data.count(marker)
            # A marker never overlaps itself, so one cut across the boundary is counted once.
            tail = data[-(len(marker) - 1):]
    print(found)

if sys.argv[1] == "fill":
    fill(sys.argv[2], sys.argv[3], int(sys.argv[4]), int(sys.argv[5]), int(sys.argv[6]),
         sys.argv[7])
else:
    count(sys.argv[2], sys.argv[3])
EOF

notes="$work/notes"
: >"$notes"
log="$work/log"

makeVolume() {
    local fs="$1"
    rm -f -- "$image"
    truncate -s "$sizeBytes" "$image"
    case "$fs" in
    ext4) mkfs.ext4 -q -F "$image" ;;
    btrfs) mkfs.btrfs -q -f "$image" ;;
    exfat) mkfs.exfat "$image" ;;
    esac >"$log" 2>&1 || { cat "$log" >&2; exit 1; }
    loop="$(losetup -f --show "$image")"
    case "$fs" in
    exfat) mount.exfat-fuse "$loop" "$mnt" ;;
    btrfs) mount -t btrfs -o nodiscard "$loop" "$mnt" ;;
    *) mount -t "$fs" "$loop" "$mnt" ;;
    esac
}

# The tools write until the volume is full: make sure it is the image's, every time.
ourVolume() {
    local source
    source="$(findmnt -n -o SOURCE --mountpoint "$mnt" || true)"
    if [ -z "$loop" ] || [ "$source" != "$loop" ]; then
        echo "refusing: $mnt is not our loop image ($source)" >&2
        exit 1
    fi
}

freeBytes() { stat -f -c '%f * %S' "$mnt" | bc; }

# dd "$@" writes zeros until the volume is full, flushes them and removes the file.
ddFill() {
    local out
    if out=$(dd if=/dev/zero of="$mnt/fill" bs=1M conv=fsync "$@" 2>&1); then
        echo "dd: the volume never filled up" >&2
    elif ! grep -q 'No space left on device' <<<"$out"; then
        printf '%s\n' "$out" >&2
        rm -f -- "$mnt/fill"
        return 1
    fi
    rm -f -- "$mnt/fill"
}

wipe() {
    case "$1" in
    korvane) "$korvane" wipe-free-space "$mnt" --level 1 --yes --bundle "$bundle" ;;
    dd) ddFill oflag=direct ;;
    dd-buffered) ddFill ;;
    sfill-l) "$sfill" -I -l -f "$mnt" ;;
    sfill-ll) "$sfill" -I -ll -f "$mnt" ;;
    sfill-l-inodes) "$sfill" -l -f "$mnt" ;;
    esac && sync -f "$mnt"
}

# Runs "$@" with the clock on; prints the seconds. Output goes to $log, the exit status to
# $log.status (this runs in a command substitution).
seconds() {
    local start end rc
    start=$(date +%s.%N)
    if "$@" >"$log" 2>&1; then rc=0; else rc=$?; fi
    end=$(date +%s.%N)
    echo "$rc" >"$log.status"
    echo "$end - $start" | bc -l
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One run of one tool on a new volume; sets t, free, written, before, left, namesBefore,
# namesLeft and meta. It runs in this
# shell, not in a command substitution, so that the exit trap knows the loop device.
oneRun() {
    local fs="$1" tool="$2" run="$3" marker namemark status odd
    marker="KVFS-$(head -c 14 /dev/urandom | od -An -tx1 | tr -d ' \n')"
    marker="${marker:0:32}"
    namemark="KVNM$(head -c 8 /dev/urandom | od -An -tx1 | tr -d ' \n')"
    makeVolume "$fs"
    ourVolume
    if [ "$fs" = ext4 ] && [ -z "${ext4Reserved:-}" ]; then
        ext4Reserved=$(cat "/sys/fs/ext4/${loop#/dev/}/reserved_clusters" 2>/dev/null || echo "?")
        echo "ext4: $ext4Reserved clusters of $(stat -f -c %S "$mnt") bytes are kept back for" \
            "metadata (reserved_clusters); no file, not even root's, gets them" >>"$notes"
    fi
    free=$(stat -f -c '%a * %S' "$mnt" | bc)
    written=$(python3 "$work/marker.py" fill "$mnt/marked" "$marker" $((free * 9 / 10)) \
        "$bigFile" "$smallFiles" "$namemark" 2>>"$notes")
    sync -f "$mnt"
    rm -rf -- "$mnt/marked"
    sync -f "$mnt"
    before=$(python3 "$work/marker.py" count "$image" "$marker")
    namesBefore=$(python3 "$work/marker.py" count "$image" "$namemark")
    free=$(freeBytes)
    ourVolume
    t=$(seconds wipe "$tool")
    status=$(cat "$log.status")
    [ "$status" = 0 ] || echo "$fs $tool run $run: exit status $status" >>"$notes"
    meta=$(tr '\r' '\n' <"$log" |
        sed -n 's/.*metadata blocks ([0-9]* throw-away entries, \([0-9.]*\) s).*/\1/p' | head -1)
    case "$tool" in
    korvane) odd=$(tr '\r' '\n' <"$log" | grep -Ev '^Erasing the free space of |Erased [0-9.]+% in |^ *[0-9]+% done|^Erased the free space of |^  Overwritten: |^ *$' || true) ;;
    *) odd=$(cat "$log") ;;
    esac
    [ -z "$odd" ] || printf '%s %s run %s printed:\n%s\n' "$fs" "$tool" "$run" "$(head -5 <<<"$odd")" >>"$notes"
    odd=$(find "$mnt" -mindepth 1 -maxdepth 1 ! -name lost+found -printf '%f\n')
    [ -z "$odd" ] || echo "$fs $tool run $run: left $(wc -l <<<"$odd") entries on the volume:" \
        "$(head -3 <<<"$odd" | tr '\n' ' ')..." >>"$notes"
    unmount
    left=$(python3 "$work/marker.py" count "$image" "$marker")
    namesLeft=$(python3 "$work/marker.py" count "$image" "$namemark")
    rm -f -- "$image"
}

declare -A label=(
    [korvane]="korvane wipe-free-space --level 1"
    [dd]="dd zeros, direct, fsync; rm"
    [dd-buffered]="dd zeros, buffered, fsync; rm"
    [sfill-l]="sfill -I -l -f (0xff, random)"
    [sfill-ll]="sfill -I -ll -f (random)"
    [sfill-l-inodes]="sfill -l -f (and free inodes)"
)
pct() { echo "scale=4; 100 * $1 / $2" | bc -l; }

echo "scratch: $work (on $(findmnt -n -o FSTYPE,SOURCE -T "$work" | tr -s ' '))"
echo "korvane: $("$korvane" --version 2>&1 | head -1)   image: $size   rounds: $rounds"
echo "before/left: markers in the image after rm and after the tool (worst run), of those written"
echo "small files: $smallFiles"
echo
printf '%-6s %-34s %8s %7s %8s %9s %8s %9s %13s   %s\n' fs tool seconds "meta s" MB/s speed/dd \
    before left names runs
for fs in $types; do
    declare -A med=() mbs=() bef=() lft=() all=() nms=() mts=()
    for tool in $tools; do
        times="" frees=0 worstLeft=-1 worstBefore=100 worstNames="" metas=""
        for ((r = 1; r <= rounds; r++)); do
            oneRun "$fs" "$tool" "$r"
            times="$times $t"
            frees=$((frees + free))
            [ "$written" -gt 0 ] || { echo "$fs $tool run $r: no markers were written" >&2; exit 1; }
            b=$(pct "$before" "$written")
            l=$(pct "$left" "$written")
            if [ "$(echo "$l > $worstLeft" | bc)" = 1 ]; then worstLeft=$l; fi
            if [ "$(echo "$b < $worstBefore" | bc)" = 1 ]; then worstBefore=$b; fi
            if [ -z "$worstNames" ] || [ "$namesLeft" -gt "${worstNames%%/*}" ]; then
                worstNames="$namesLeft/$namesBefore"
            fi
            metas="$metas ${meta:-0}"
        done
        med[$tool]=$(for t in $times; do echo "$t"; done | median)
        mbs[$tool]=$(echo "$frees / $rounds / 1000000 / ${med[$tool]}" | bc -l)
        bef[$tool]=$worstBefore
        lft[$tool]=$worstLeft
        all[$tool]=$(for t in $times; do printf '%.2f ' "$t"; done)
        nms[$tool]=$worstNames
        mts[$tool]=$(for m in $metas; do echo "$m"; done | median)
    done
    for tool in $tools; do
        printf '%-6s %-34s %8.2f %7.2f %8.0f %9.2f %7.2f%% %8.4f%% %13s   %s\n' "$fs" \
            "${label[$tool]}" "${med[$tool]}" "${mts[$tool]}" "${mbs[$tool]}" \
            "$(echo "${med[dd]} / ${med[$tool]}" | bc -l)" "${bef[$tool]}" "${lft[$tool]}" \
            "${nms[$tool]}" "${all[$tool]}"
    done
done
echo "target: korvane speed/dd >= 0.90 and 0% left"
echo

if [ -s "$notes" ]; then
    echo "Notes (what the tools printed or left behind):"
    cat "$notes"
else
    echo "Notes: no tool printed anything unexpected or left anything behind."
fi
