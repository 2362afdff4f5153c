#!/usr/bin/env bash
# One pass over many small files and over one big file: korvane erase against our srm alone,
# GNU shred and the srm of Debian's secure-delete package, in one run on the same file system.
#   bench/erase_small_files.sh [-b BUILD] [-d SCRATCH] [-n FILES] [-f FOLDERS] [-r ROUNDS]
#                              [-p PEER_ROUNDS] [-s SIZE] [-H]
#   -b BUILD        build tree holding bin/korvane and the bundle (default: ../build from here)
#   -d SCRATCH      folder on the file system to measure; a fresh folder is made inside it
#                   (default: a fresh folder under /var/tmp). Never inside the checkout.
#   -n FILES        number of small files (default 10000, or $FILES)
#   -f FOLDERS      the small files are spread over this many subfolders (default 10, or $FOLDERS)
#   -r ROUNDS       runs per tool; the median counts (default 3, or $ROUNDS)
#   -p PEER_ROUNDS  runs for shred and secure-delete's srm (default ROUNDS, or $PEER_ROUNDS)
#   -s SIZE         size of the big file, e.g. 1G, 256M (default 1G, or $BIG_SIZE)
#   -H              leave the history out: the throw-away bundle gets no DataBase.db, so korvane
#                   records nothing (and says so once per run)
# Each run gets a fresh copy of the same tree (3072 bytes of random data per file) in a fresh
# folder, synced before the clock starts; the time covers the whole erasure, folders included.
# korvane runs from a copy of itself with KORVANE_BUNDLE set to a throw-away bundle holding a
# copy of srm and, unless -H, a fresh empty history per run: the build tree's history is never
# written. Every run is checked afterwards for anything left behind.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/build"
scratch=""
files="${FILES:-10000}"
folders="${FOLDERS:-10}"
rounds="${ROUNDS:-3}"
peerRounds="${PEER_ROUNDS:-}"
bigSize="${BIG_SIZE:-1G}"
history=1
fileSize=3072

usage() { sed -n '4,17p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
while getopts "b:d:n:f:r:p:s:Hh" opt; do
    case "$opt" in
    b) build="$OPTARG" ;;
    d) scratch="$OPTARG" ;;
    n) files="$OPTARG" ;;
    f) folders="$OPTARG" ;;
    r) rounds="$OPTARG" ;;
    p) peerRounds="$OPTARG" ;;
    s) bigSize="$OPTARG" ;;
    H) history=0 ;;
    *) usage ;;
    esac
done
peerRounds="${peerRounds:-$rounds}"
for n in "$files" "$folders" "$rounds" "$peerRounds"; do
    [[ "$n" =~ ^[1-9][0-9]*$ ]] || { echo "not a positive number: $n" >&2; exit 2; }
done
bigBytes=$(numfmt --from=iec "$bigSize") || exit 2

build="$(realpath -e "$build")"
korvane="$build/bin/korvane"
resources="KorvaneLoader.app/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources"
srm="$build/bundle/$resources/srm"
shred=/usr/bin/shred
sdsrm=/usr/bin/srm # secure-delete's; ours is always named by its full path in the bundle
[ -x "$korvane" ] || { echo "korvane not found at $korvane (build it first)" >&2; exit 1; }
[ -x "$srm" ] || { echo "srm not found at $srm (build it first)" >&2; exit 1; }
[ -x "$shred" ] || { echo "shred not found at $shred" >&2; exit 1; }
if [ -x "$sdsrm" ] && dpkg -S "$sdsrm" 2>/dev/null | grep -q '^secure-delete:'; then
    haveSdsrm=1
else
    haveSdsrm=0
    echo "note: $sdsrm from the secure-delete package is missing (apt-get install secure-delete);" \
        "that row is skipped" >&2
fi

# The scratch folder: a fresh one, absolute, and never inside the checkout.
if [ -z "$scratch" ]; then
    work="$(mktemp -d /var/tmp/korvane-erase-bench.XXXXXX)"
else
    [ -d "$scratch" ] || { echo "scratch folder $scratch does not exist" >&2; exit 1; }
    work="$(mktemp -d "$(realpath -e "$scratch")/korvane-erase-bench.XXXXXX")"
fi
trap 'rm -rf -- "$work"' EXIT
work="$(realpath -e "$work")"
checkout="$(realpath -e "$here")"
case "$work/" in
"$checkout"/*) echo "refusing: scratch folder $work is inside the checkout $checkout" >&2; exit 1 ;;
/*) ;;
*) echo "refusing: scratch folder $work is not an absolute path" >&2; exit 1 ;;
esac

# The throw-away bundle and a copy of korvane; as root, korvane refuses a tool others could write.
(umask 022 && mkdir -p "$work/tools/$resources")
bundle="$work/tools/KorvaneLoader.app"
install -m 0755 "$srm" "$bundle/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources/srm"
install -m 0755 "$korvane" "$work/tools/korvane"
if [ "$(id -u)" = 0 ]; then
    chown -R root:root "$work/tools"
fi
srm="$bundle/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources/srm"
korvane="$work/tools/korvane"
emptyHistory="$work/tools/DataBase.empty.db"
if [ "$history" = 1 ]; then
    database="$build/bundle/$resources/DataBase.db"
    [ -f "$database" ] || { echo "no history at $database (use -H to leave it out)" >&2; exit 1; }
    cp -- "$database" "$bundle/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources/DataBase.db"
    KORVANE_BUNDLE="$bundle" "$korvane" history clear --yes >/dev/null
    mv -- "$bundle/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources/DataBase.db" "$emptyHistory"
fi

notes="$work/notes"
: >"$notes"
log="$work/log"

# The small-file tree, made once; each run erases a copy.
template="$work/template"
mkdir "$template"
perFolder=$(((files + folders - 1) / folders))
left=$files
for ((k = 0; k < folders && left > 0; k++)); do
    count=$((left < perFolder ? left : perFolder))
    mkdir "$template/d$k"
    head -c $((count * fileSize)) /dev/urandom | split -b "$fileSize" -a 6 -d - "$template/d$k/f"
    left=$((left - count))
done
made=$(find "$template" -type f -size "${fileSize}c" | wc -l)
[ "$made" = "$files" ] || { echo "template holds $made files, not $files" >&2; exit 1; }

bigTemplate="$work/big.template"
head -c "$bigBytes" /dev/urandom >"$bigTemplate"
sync

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

# Notes what a run printed that it should not have, and what it left behind.
check() {
    local tool="$1" run="$2" target="$3" odd status
    status=$(cat "$log.status")
    if [ "$tool" = korvane ]; then
        # korvane prints its progress and one result line per path; anything else is noted.
        odd=$(grep -Ev '^Erasing with .*\.$|^ *[0-9]+% |^100% done$|^Erased /' "$log" || true)
    else
        odd=$(cat "$log")
    fi
    [ "$status" = 0 ] || echo "$tool run $run: exit status $status" >>"$notes"
    [ -z "$odd" ] || printf '%s run %s printed:\n%s\n' "$tool" "$run" "$(head -5 <<<"$odd")" >>"$notes"
    if [ -e "$target" ]; then
        echo "$tool run $run: left behind $(find "$target" | wc -l) entries" \
            "($(find "$target" -type f | wc -l) files)" >>"$notes"
    fi
    rm -rf -- "$(dirname "$target")"
}

eraseTree() {
    case "$1" in
    korvane) KORVANE_BUNDLE="$bundle" "$korvane" erase --yes --level 1 "$2" ;;
    srm) "$srm" -fsrz "$2" ;;
    shred) find "$2" -type f -exec "$shred" -u -n 1 {} + && find "$2" -depth -type d -delete ;;
    sdsrm) "$sdsrm" -r -ll "$2" ;;
    esac
}

eraseFile() {
    case "$1" in
    korvane) KORVANE_BUNDLE="$bundle" "$korvane" erase --yes --level 1 "$2" ;;
    srm) "$srm" -fsz "$2" ;;
    esac
}

freshHistory() {
    if [ "$history" = 1 ]; then
        install -m 0600 "$emptyHistory" \
            "$bundle/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources/DataBase.db"
    fi
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Prints the median seconds of N runs of one tool on fresh trees, then every run's time.
smallRuns() {
    local tool="$1" n="$2" target t all=""
    for ((i = 1; i <= n; i++)); do
        target="$(mktemp -d "$work/run.XXXXXX")/tree"
        cp -r -- "$template" "$target"
        [ "$tool" = korvane ] && freshHistory
        sync
        t=$(seconds eraseTree "$tool" "$target")
        check "$tool" "$i" "$target"
        all="$all $t"
    done
    echo "$(for t in $all; do echo "$t"; done | median) $(for t in $all; do printf '%.2f ' "$t"; done)"
}

bigRuns() {
    local tool="$1" n="$2" target t all=""
    for ((i = 1; i <= n; i++)); do
        target="$(mktemp -d "$work/run.XXXXXX")/big"
        dd if="$bigTemplate" of="$target" bs=4M conv=fsync status=none
        [ "$tool" = korvane ] && freshHistory
        sync
        t=$(seconds eraseFile "$tool" "$target")
        check "$tool" "big $i" "$target"
        all="$all $t"
    done
    echo "$(for t in $all; do echo "$t"; done | median) $(for t in $all; do printf '%.2f ' "$t"; done)"
}

echo "scratch: $work"
echo "file system: $(findmnt -n -o FSTYPE,SOURCE,TARGET -T "$work")"
echo "korvane: $("$korvane" --version 2>&1 | head -1)   history recorded: $([ "$history" = 1 ] && echo yes || echo no)"
echo
echo "Many small files: $files files of $fileSize bytes in $folders folders, one pass," \
    "median of $rounds runs ($peerRounds for shred and secure-delete)"
printf '%-38s %9s %9s %13s   %s\n' tool seconds files/s korvane/tool runs
declare -A med runs
for tool in korvane srm shred sdsrm; do
    [ "$tool" = sdsrm ] && [ "$haveSdsrm" = 0 ] && continue
    n=$rounds
    case "$tool" in shred | sdsrm) n=$peerRounds ;; esac
    read -r m rest <<<"$(smallRuns "$tool" "$n")"
    med[$tool]=$m
    runs[$tool]=$rest
done
declare -A label=(
    [korvane]="korvane erase --yes --level 1"
    [srm]="our srm -fsrz"
    [shred]="shred -u -n 1 (find), rmdirs"
    [sdsrm]="secure-delete srm -r -ll"
)
for tool in korvane srm shred sdsrm; do
    [ -n "${med[$tool]:-}" ] || continue
    printf '%-38s %9.2f %9.0f %13.2f   %s\n' "${label[$tool]}" "${med[$tool]}" \
        "$(echo "$files / ${med[$tool]}" | bc -l)" \
        "$(echo "${med[korvane]} / ${med[$tool]}" | bc -l)" "${runs[$tool]}"
done
echo "target: korvane/our srm <= 1.20, korvane/each peer < 1.00"
echo

echo "One big file: $bigSize ($bigBytes bytes) of random data, one pass, median of $rounds runs"
printf '%-38s %9s %9s %13s   %s\n' tool seconds MB/s korvane/tool runs
read -r bk bkRuns <<<"$(bigRuns korvane "$rounds")"
read -r bs bsRuns <<<"$(bigRuns srm "$rounds")"
printf '%-38s %9.2f %9.0f %13.2f   %s\n' "korvane erase --yes --level 1" "$bk" \
    "$(echo "$bigBytes / 1000000 / $bk" | bc -l)" 1 "$bkRuns"
printf '%-38s %9.2f %9.0f %13.2f   %s\n' "our srm -fsz" "$bs" \
    "$(echo "$bigBytes / 1000000 / $bs" | bc -l)" "$(echo "$bk / $bs" | bc -l)" "$bsRuns"
echo "target: korvane/our srm <= 1.10"
echo

if [ -s "$notes" ]; then
    echo "Notes (what the tools printed or left behind):"
    cat "$notes"
else
    echo "Notes: no tool printed anything unexpected or left anything behind."
fi
