#!/usr/bin/env bash
# What overwriting the removed names costs: srm before and after it (on FAT and exFAT the
# throw-away entries in each folder, on ext4 emptying the journal at the end of the run), with
# rm and GNU shred as the reference, on throw-away loop images of each file system.
#   sudo bench/erase_names.sh [-o OLD_SRM] [-n NEW_SRM] [-N FILES] [-r ROUNDS] [-t TYPES]
#                             [-f FOLDERS] [-F PER_FOLDER] [-s SIZE] [-x]
#   -o OLD_SRM      srm to compare with, e.g. one built from an older commit (no old rows without)
#   -n NEW_SRM      srm to measure (default: the bundle's srm under ../build from here)
#   -N FILES        number of 1 KiB files in the folder (default 10000, or $FILES)
#   -r ROUNDS       runs per tool; the median counts (default 3, or $ROUNDS)
#   -t TYPES        file systems, any of ext4 vfat fat16 exfat (default "ext4 vfat exfat"):
#                   vfat is FAT32 (mkfs.vfat -F 32), fat16 is mkfs.vfat -F 16
#   -f FOLDERS      spread the files over this many subfolders on ext4 and exFAT (default 1:
#                   all of them in the one folder)
#   -F PER_FOLDER   on FAT the files go in subfolders of at most this many (default 80):
#                   fusefat searches a folder from its start for every name, so one folder of
#                   10000 files takes hours just to make, and on FAT16 it loses track of a
#                   folder longer than one cluster (8 KiB at 512M: 85 names of this length)
#   -s SIZE         size of each image (default 512M)
#   -x              leave shred out on the FUSE file systems (it renames each file once per
#                   character of its name before removing it)
# Needs root, losetup, mkfs.ext4, mkfs.vfat with fusefat, mkfs.exfat with mount.exfat-fuse.
# The tree is made once per file system in a template image; every run gets a fresh copy of that
# image, freshly mounted, so each tool meets the same folder with the same layout. Timed: one
# pass over a folder (srm -s -r FOLDER; rm -r; shred -u -n 1 on each file, then rmdir), and the
# same files named one by one, the folder staying (srm -s FILE..., rm FILE..., through xargs
# from inside the folder, so one process gets them all). After each run the image is checked
# for what should be gone, and for throw-away entries (*.srm~, *.SR~) anywhere on it.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
resources="KorvaneLoader.app/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources"
newSrm="$here/build/bundle/$resources/srm"
oldSrm=""
files="${FILES:-10000}"
rounds="${ROUNDS:-3}"
types="ext4 vfat exfat"
folders=1
fatPerFolder=80
imageSize=512M
fuseShred=1
fileSize=1024

usage() { sed -n '5,21p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
while getopts "o:n:N:r:t:f:F:s:xh" opt; do
    case "$opt" in
    o) oldSrm="$OPTARG" ;;
    n) newSrm="$OPTARG" ;;
    N) files="$OPTARG" ;;
    r) rounds="$OPTARG" ;;
    t) types="$OPTARG" ;;
    f) folders="$OPTARG" ;;
    F) fatPerFolder="$OPTARG" ;;
    s) imageSize="$OPTARG" ;;
    x) fuseShred=0 ;;
    *) usage ;;
    esac
done
[ "$OPTIND" -gt $# ] || usage
for n in "$files" "$rounds" "$folders" "$fatPerFolder"; do
    [[ "$n" =~ ^[1-9][0-9]*$ ]] || { echo "not a positive number: $n" >&2; exit 2; }
done
imageBytes=$(numfmt --from=iec "$imageSize") || exit 2
for t in $types; do
    case "$t" in ext4 | vfat | fat16 | exfat) ;; *) echo "unknown file system: $t" >&2; exit 2 ;; esac
done
[ "$(id -u)" = 0 ] || { echo "needs root (loop devices and mounts)" >&2; exit 1; }
for p in losetup mkfs.ext4 mkfs.vfat fusefat fusermount mkfs.exfat mount.exfat-fuse shred bc; do
    command -v "$p" >/dev/null || { echo "$p is not installed" >&2; exit 1; }
done
[ -x "$newSrm" ] || { echo "srm not found at $newSrm (build it first, or use -n)" >&2; exit 1; }
[ -z "$oldSrm" ] || [ -x "$oldSrm" ] || { echo "no srm at $oldSrm" >&2; exit 1; }

work="$(mktemp -d /var/tmp/korvane-names-bench.XXXXXX)"
checkout="$(realpath -e "$here")"
case "$(realpath -e "$work")/" in
"$checkout"/*) echo "refusing: $work is inside the checkout $checkout" >&2; exit 1 ;;
esac
mnt="$work/mnt"
mkdir "$mnt"
# What is mounted right now, for the clean-up: the file system type, the fusefat process, the
# loop device.
mountedType=""
fusePid=""
loopDevice=""

unmount() {
    [ -n "$mountedType" ] || return 0
    sync
    case "$mountedType" in
    vfat | fat16)
        fusermount -u "$mnt"
        # fusefat writes the image back before it exits.
        wait "$fusePid" || true
        fusePid=""
        ;;
    *) umount "$mnt" ;;
    esac
    mountedType=""
    if [ -n "$loopDevice" ]; then
        # exfat-fuse may hold the device for a moment after umount returns.
        for ((k = 0; k < 50; k++)); do
            losetup -d "$loopDevice" 2>/dev/null && break
            sleep 0.1
        done
        loopDevice=""
    fi
}

cleanUp() {
    set +e
    if [ -n "$mountedType" ]; then
        case "$mountedType" in
        vfat | fat16) fusermount -u -z "$mnt" ;;
        *) umount "$mnt" || umount -l "$mnt" ;;
        esac
    fi
    [ -n "$fusePid" ] && kill "$fusePid" 2>/dev/null && wait "$fusePid"
    [ -n "$loopDevice" ] && losetup -d "$loopDevice"
    mountpoint -q "$mnt" || rm -rf --one-file-system -- "$work"
}
trap cleanUp EXIT

# The tools are copies: the build tree may be rebuilt while this runs.
install -m 0755 "$newSrm" "$work/srm-new"
[ -z "$oldSrm" ] || install -m 0755 "$oldSrm" "$work/srm-old"

mountImage() {
    local type="$1" image="$2"
    case "$type" in
    vfat | fat16)
        fusefat -f -o rw+ "$image" "$mnt" </dev/null >/dev/null 2>&1 &
        fusePid=$!
        mountedType=$type
        for ((k = 0; k < 100; k++)); do
            mountpoint -q "$mnt" && return 0
            kill -0 "$fusePid" 2>/dev/null || { echo "fusefat exited before mounting" >&2; exit 1; }
            sleep 0.1
        done
        echo "fusefat did not mount within 10 s" >&2
        exit 1
        ;;
    exfat)
        loopDevice=$(losetup -f --show "$image")
        mount.exfat-fuse "$loopDevice" "$mnt" >/dev/null
        mountedType=$type
        ;;
    ext4)
        loopDevice=$(losetup -f --show "$image")
        mount -t ext4 "$loopDevice" "$mnt"
        mountedType=$type
        ;;
    esac
}

# The template image of TYPE with the folder "names" of $files files, spread over FOLDERS
# subfolders when that is more than 1.
makeTemplate() {
    local type="$1" spread="$2" image="$work/template.img" per left count d i name
    rm -f -- "$image"
    truncate -s "$imageBytes" "$image"
    case "$type" in
    ext4) mkfs.ext4 -q -F "$image" ;;
    vfat) mkfs.vfat -F 32 "$image" >/dev/null ;;
    fat16) mkfs.vfat -F 16 "$image" >/dev/null ;;
    exfat) mkfs.exfat "$image" >/dev/null ;;
    esac
    mountImage "$type" "$image"
    mkdir "$mnt/names"
    per=$(((files + spread - 1) / spread))
    i=0
    for ((d = 0; i < files; d++)); do
        if [ "$spread" = 1 ]; then
            dir="$mnt/names"
        else
            printf -v dir '%s/names/batch-%04d' "$mnt" "$d"
            mkdir "$dir"
        fi
        count=$((files - i < per ? files - i : per))
        # One stream of random data cut into the files, then named as reports are.
        head -c $((count * fileSize)) /dev/urandom | split -b "$fileSize" -a 6 -d - "$work/part."
        for part in "$work"/part.*; do
            printf -v name 'report-2026-%06d.pdf' "$i"
            cat -- "$part" >"$dir/$name"
            rm -f -- "$part"
            i=$((i + 1))
        done
    done
    made=$(find "$mnt/names" -type f -size "${fileSize}c" | wc -l)
    [ "$made" = "$files" ] || { echo "$type: the template holds $made files, not $files" >&2; exit 1; }
    unmount
}

log="$work/log"
notes="$work/notes"
: >"$notes"

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

# One erasure of the tree by TOOL; KIND is "tree" (the folder named) or "files" (every file
# named, the folders staying).
erase() {
    local kind="$1" tool="$2"
    if [ "$kind" = tree ]; then
        case "$tool" in
        old) "$work/srm-old" -s -r "$mnt/names" ;;
        new) "$work/srm-new" -s -r "$mnt/names" ;;
        rm) rm -r -- "$mnt/names" ;;
        shred) find "$mnt/names" -type f -exec shred -u -n 1 {} + &&
            find "$mnt/names" -depth -type d -exec rmdir {} + ;;
        esac
    else
        # Relative names from inside the folder, and xargs may use all of the argument space:
        # one process gets every path ($work/invocations counts them).
        local command=(rm)
        case "$tool" in old | new) command=("$work/srm-$tool" -s) ;; esac
        # shellcheck disable=SC2016 # expanded by sh, not here
        (cd "$mnt/names" && xargs -0 -a "$work/list" -s 2000000 \
            sh -c 'echo >>"$0"; exec "$@"' "$work/invocations" "${command[@]}" --)
    fi
}

# Notes what a run printed or returned that it should not have, and what it left behind.
check() {
    local what="$1" kind="$2" status left fillers runs
    status=$(cat "$log.status")
    [ "$status" = 0 ] || echo "$what: exit status $status" >>"$notes"
    [ ! -s "$log" ] || printf '%s printed:\n%s\n' "$what" "$(head -5 "$log")" >>"$notes"
    if [ "$kind" = tree ]; then
        [ ! -e "$mnt/names" ] || echo "$what: left $(find "$mnt/names" | wc -l) entries" >>"$notes"
    else
        left=$(find "$mnt/names" -type f | wc -l)
        [ "$left" = 0 ] || echo "$what: left $left files" >>"$notes"
        [ "$(find "$mnt/names" -type d | wc -l)" = "$((dirs + 1))" ] ||
            echo "$what: the folders did not all stay" >>"$notes"
        runs=$(wc -l <"$work/invocations")
        [ "$runs" = 1 ] || echo "$what: xargs started $runs processes" >>"$notes"
    fi
    fillers=$(find "$mnt" \( -iname '*.srm~' -o -iname '*.sr~' \) | wc -l)
    [ "$fillers" = 0 ] || echo "$what: $fillers throw-away entries left on the image" >>"$notes"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

tools="new rm"
[ -z "$oldSrm" ] || tools="old $tools"
declare -A label=(
    [tree.old]="old srm -s -r FOLDER"
    [tree.new]="new srm -s -r FOLDER"
    [tree.rm]="rm -r FOLDER"
    [tree.shred]="shred -u -n 1 FILE..., rmdir"
    [files.old]="old srm -s FILE... (folder stays)"
    [files.new]="new srm -s FILE... (folder stays)"
    [files.rm]="rm FILE... (folder stays)"
)

echo "new srm: $newSrm"
echo "old srm: ${oldSrm:-(none: no old rows)}"
echo "$files files of $fileSize bytes, one pass, median of $rounds runs, images of $imageSize," \
    "$(nproc) cores, kernel $(uname -r)"
echo
printf '%-6s %-36s %9s %9s %8s   %s\n' fs tool seconds files/s new/old runs
for type in $types; do
    spread=$folders
    case "$type" in vfat | fat16) spread=$(((files + fatPerFolder - 1) / fatPerFolder)) ;; esac
    dirs=$spread
    [ "$spread" != 1 ] || dirs=0
    makeTemplate "$type" "$spread"
    # The list of paths for the runs that name every file, relative to the folder.
    mountImage "$type" "$work/template.img"
    (cd "$mnt/names" && find . -type f -print0 | sort -z) >"$work/list"
    unmount
    rowTools="$tools"
    if [ "$type" = ext4 ] || [ "$fuseShred" = 1 ]; then rowTools="$rowTools shred"; fi
    declare -A all=()
    for ((round = 1; round <= rounds; round++)); do
        for kind in tree files; do
            for tool in $rowTools; do
                [ "$kind" = files ] && [ "$tool" = shred ] && continue
                cp --sparse=always -- "$work/template.img" "$work/run.img"
                mountImage "$type" "$work/run.img"
                : >"$work/invocations"
                sync
                t=$(seconds erase "$kind" "$tool")
                check "$type ${label[$kind.$tool]} run $round" "$kind"
                unmount
                rm -f -- "$work/run.img"
                all[$kind.$tool]="${all[$kind.$tool]:-} $t"
            done
        done
    done
    declare -A med=()
    for key in "${!all[@]}"; do
        med[$key]=$(for t in ${all[$key]}; do echo "$t"; done | median)
    done
    place="one folder"
    [ "$spread" = 1 ] || place="$spread subfolders"
    for kind in tree files; do
        for tool in $tools shred; do
            [ -n "${med[$kind.$tool]:-}" ] || continue
            ratio=-
            if [ "$tool" = new ] && [ -n "${med[$kind.old]:-}" ]; then
                ratio=$(printf '%.2f' "$(echo "${med[$kind.new]} / ${med[$kind.old]}" | bc -l)")
            fi
            printf '%-6s %-36s %9.2f %9.0f %8s   %s\n' "$type" "${label[$kind.$tool]}" \
                "${med[$kind.$tool]}" "$(echo "$files / ${med[$kind.$tool]}" | bc -l)" "$ratio" \
                "$(for t in ${all[$kind.$tool]}; do printf '%.2f ' "$t"; done)($place)"
        done
    done
    unset all med
done
echo "target: new/old <= 2.00"
[ "$fuseShred" = 1 ] || echo "shred left out on the FUSE file systems (-x)"
echo

if [ -s "$notes" ]; then
    echo "Notes (what the tools printed or left behind):"
    cat "$notes"
else
    echo "Notes: no tool printed anything, failed or left anything behind, throw-away entries included."
fi
