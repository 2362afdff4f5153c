#!/usr/bin/env bash
# Many files, one pass: korvane erase against the peers that overwrite (GNU shred, the srm of
# Debian's secure-delete package, our srm's own -r walk) and against the floor: `rm -r` (no
# overwrite) plus `dd` writing the same bytes once. Two trees: files of 3 KB and empty files.
# One big file follows (korvane against our srm alone).
#   bench/erase_small_files.sh [-b BUILD] [-o OLD_BUILD] [-d SCRATCH] [-n FILES] [-P PEER_FILES]
#                              [-f FOLDERS] [-r ROUNDS] [-p PEER_ROUNDS] [-s SIZE] [-H]
#   -b BUILD        build tree holding bin/korvane and the bundle (default: ../build from here)
#   -o OLD_BUILD    an older build tree (bin/korvane, bundle) to compare with, run on PEER_FILES
#   -d SCRATCH      folder on the file system to measure; a fresh folder is made inside it
#                   (default: a fresh folder under /var/tmp). Never inside the checkout.
#   -n FILES        files per tree for korvane, rm -r and dd (default 10000, or $FILES)
#   -P PEER_FILES   files per tree for the peers and the older build, which take minutes per
#                   100,000 files (default FILES, or $PEER_FILES); their times are also given
#                   scaled to FILES, in proportion
#   -f FOLDERS      the files are spread over this many subfolders (default 10, or $FOLDERS)
#   -r ROUNDS       runs per tool; the median counts (default 3, or $ROUNDS)
#   -p PEER_ROUNDS  runs for the peers and the older build (default ROUNDS, or $PEER_ROUNDS)
#   -s SIZE         size of the big file, e.g. 1G, 256M; 0 leaves it out (default 1G, or $BIG_SIZE)
#   -H              leave the history out: the throw-away bundle gets no DataBase.db, so korvane
#                   records nothing (and says so once per run)
# Each run gets a fresh copy of the same tree (random data) in a fresh folder, synced before the
# clock starts; the time covers the whole erasure, folders included. The tools take turns round
# by round, so a busy spell of the shared machine weighs on all of them alike; the one-minute
# load average at each run's start is printed (median per tool). korvane's peak memory is the
# largest resident size of korvane and its srm (GNU time's %M). korvane runs from a copy of
# itself with KORVANE_BUNDLE set to a throw-away bundle holding a copy of srm and, unless -H, a
# fresh empty history per run: the build tree's history is never written. Every run is checked
# afterwards for anything left behind.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/build"
oldBuild=""
scratch=""
files="${FILES:-10000}"
peerFiles="${PEER_FILES:-}"
folders="${FOLDERS:-10}"
rounds="${ROUNDS:-3}"
peerRounds="${PEER_ROUNDS:-}"
bigSize="${BIG_SIZE:-1G}"
history=1

usage() { sed -n '6,28p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
while getopts "b:o:d:n:P:f:r:p:s:Hh" opt; do
    case "$opt" in
    b) build="$OPTARG" ;;
    o) oldBuild="$OPTARG" ;;
    d) scratch="$OPTARG" ;;
    n) files="$OPTARG" ;;
    P) peerFiles="$OPTARG" ;;
    f) folders="$OPTARG" ;;
    r) rounds="$OPTARG" ;;
    p) peerRounds="$OPTARG" ;;
    s) bigSize="$OPTARG" ;;
    H) history=0 ;;
    *) usage ;;
    esac
done
peerRounds="${peerRounds:-$rounds}"
peerFiles="${peerFiles:-$files}"
for n in "$files" "$peerFiles" "$folders" "$rounds" "$peerRounds"; do
    [[ "$n" =~ ^[1-9][0-9]*$ ]] || { echo "not a positive number: $n" >&2; exit 2; }
done
bigBytes=$(numfmt --from=iec "$bigSize") || exit 2

build="$(realpath -e "$build")"
resources="KorvaneLoader.app/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources"
shred=/usr/bin/shred
sdsrm=/usr/bin/srm # secure-delete's; ours is always named by its full path in the bundle
gnutime=/usr/bin/time
for tool in "$build/bin/korvane" "$build/bundle/$resources/srm" "$shred" "$gnutime"; do
    [ -x "$tool" ] || { echo "$tool not found (build it, or apt-get install coreutils time)" >&2; exit 1; }
done
if [ -n "$oldBuild" ]; then
    oldBuild="$(realpath -e "$oldBuild")"
    [ -x "$oldBuild/bin/korvane" ] && [ -x "$oldBuild/bundle/$resources/srm" ] ||
        { echo "no korvane and srm in $oldBuild" >&2; exit 1; }
fi
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

# A throw-away bundle and a copy of korvane per build; as root, korvane refuses a tool others
# could write.
setupBundle() { # NAME BUILD
    local dir="$work/$1"
    (umask 022 && mkdir -p "$dir/$resources")
    install -m 0755 "$2/bundle/$resources/srm" "$dir/$resources/srm"
    install -m 0755 "$2/bin/korvane" "$dir/korvane"
    if [ "$history" = 1 ]; then
        [ -f "$2/bundle/$resources/DataBase.db" ] ||
            { echo "no history at $2/bundle/$resources/DataBase.db (use -H)" >&2; exit 1; }
        cp -- "$2/bundle/$resources/DataBase.db" "$dir/$resources/DataBase.db"
        KORVANE_BUNDLE="$dir/KorvaneLoader.app" "$dir/korvane" history clear --yes >/dev/null
        mv -- "$dir/$resources/DataBase.db" "$dir/DataBase.empty.db"
    fi
    if [ "$(id -u)" = 0 ]; then
        chown -R root:root "$dir"
    fi
}
setupBundle new "$build"
[ -z "$oldBuild" ] || setupBundle old "$oldBuild"
srm="$work/new/$resources/srm"

notes="$work/notes"
: >"$notes"
log="$work/log"

# A tree of COUNT files of SIZE bytes (random data) spread over the folders.
makeTree() { # DEST COUNT SIZE
    local dest="$1" count="$2" size="$3" perFolder left k n
    mkdir "$dest"
    perFolder=$(((count + folders - 1) / folders))
    left=$count
    for ((k = 0; k < folders && left > 0; k++)); do
        n=$((left < perFolder ? left : perFolder))
        mkdir "$dest/d$k"
        if [ "$size" -gt 0 ]; then
            head -c $((n * size)) /dev/urandom | split -b "$size" -a 6 -d - "$dest/d$k/f"
        else
            (cd "$dest/d$k" && seq -f 'f%06g' 0 $((n - 1)) | xargs touch)
        fi
        left=$((left - n))
    done
    local made
    made=$(find "$dest" -type f -size "${size}c" | wc -l)
    [ "$made" = "$count" ] || { echo "$dest holds $made files, not $count" >&2; exit 1; }
}

# Runs "$@" with the clock on; prints the seconds and the peak resident kilobytes. Output goes to
# $log, the exit status to $log.status (this runs in a command substitution).
measure() {
    local start end rc
    start=$(date +%s.%N)
    if "$gnutime" -f '%M' -o "$log.rss" "$@" >"$log" 2>&1; then rc=0; else rc=$?; fi
    end=$(date +%s.%N)
    echo "$rc" >"$log.status"
    echo "$(echo "$end - $start" | bc -l) $(tail -1 "$log.rss")"
}

# Notes what a run printed that it should not have, and what it left behind.
check() {
    local tool="$1" run="$2" target="$3" odd status
    status=$(cat "$log.status")
    case "$tool" in
    korvane | oldkorvane)
        # korvane prints its progress and one result line per path; anything else is noted.
        odd=$(grep -Ev '^Erasing with .*\.$|^ *[0-9]+% |^100% done$|^Erased /' "$log" || true) ;;
    dd) odd=$(grep -Ev 'records (in|out)$|bytes .* copied' "$log" || true) ;;
    *) odd=$(cat "$log") ;;
    esac
    [ "$status" = 0 ] || echo "$tool run $run: exit status $status" >>"$notes"
    [ -z "$odd" ] || printf '%s run %s printed:\n%s\n' "$tool" "$run" "$(head -5 <<<"$odd")" >>"$notes"
    if [ "$tool" != dd ] && [ -e "$target" ]; then
        echo "$tool run $run: left behind $(find "$target" | wc -l) entries" \
            "($(find "$target" -type f | wc -l) files)" >>"$notes"
    fi
    rm -rf -- "$(dirname "$target")"
}

korvaneOf() { # old|new
    echo "$work/$1/korvane"
}

freshHistory() { # old|new
    if [ "$history" = 1 ]; then
        install -m 0600 "$work/$1/DataBase.empty.db" "$work/$1/$resources/DataBase.db"
    fi
}

# Sets cmd to the command line that erases TARGET with TOOL (BYTES: what dd writes).
eraseCommand() { # TOOL TARGET BYTES
    case "$1" in
    korvane) cmd=(env KORVANE_BUNDLE="$work/new/KorvaneLoader.app" "$(korvaneOf new)" erase --yes --level 1 "$2") ;;
    oldkorvane) cmd=(env KORVANE_BUNDLE="$work/old/KorvaneLoader.app" "$(korvaneOf old)" erase --yes --level 1 "$2") ;;
    srm) cmd=("$srm" -fsrz "$2") ;;
    shred) cmd=(bash -c 'find "$1" -type f -exec "$2" -u -n 1 {} + && find "$1" -depth -type d -delete' _ "$2" "$shred") ;;
    sdsrm) cmd=("$sdsrm" -r -ll "$2") ;;
    rm) cmd=(rm -r -- "$2") ;;
    # The bytes of the tree written once and made durable: the other half of the floor.
    dd) cmd=(bash -c 'dd if=/dev/zero of="$1" bs=1M count="$2" iflag=count_bytes conv=fsync status=none && rm -f -- "$1"' _ "$2.dd" "$3") ;;
    esac
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One run of TOOL on a fresh copy of TEMPLATE; appends "seconds rss load" to $work/times.TOOL.CASE.
oneRun() { # TOOL CASE TEMPLATE BYTES RUN
    local tool="$1" case="$2" template="$3" bytes="$4" i="$5" target t rss load
    target="$(mktemp -d "$work/run.XXXXXX")/tree"
    [ "$tool" = dd ] || cp -r -- "$template" "$target"
    case "$tool" in korvane) freshHistory new ;; oldkorvane) freshHistory old ;; esac
    sync
    load=$(cut -d' ' -f1 /proc/loadavg)
    eraseCommand "$tool" "$target" "$bytes"
    read -r t rss <<<"$(measure "${cmd[@]}")"
    check "$tool" "$i ($case)" "$target"
    echo "$t $rss $load" >>"$work/times.$tool.$case"
}

echo "scratch: $work"
echo "file system: $(findmnt -n -o FSTYPE,SOURCE,TARGET -T "$work")"
echo "korvane: $("$(korvaneOf new)" --version 2>&1 | head -1)   history recorded: $([ "$history" = 1 ] && echo yes || echo no)"
echo "machine: $(nproc) cores; load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo

declare -A label=(
    [korvane]="korvane erase --yes --level 1"
    [oldkorvane]="korvane erase (older build -o)"
    [srm]="our srm -fsrz (its own -r walk)"
    [shred]="shred -u -n 1 (find), rmdirs"
    [sdsrm]="secure-delete srm -r -ll"
    [rm]="rm -r (no overwrite)"
    [dd]="dd of the same bytes, conv=fsync"
)
for tree in "3072 3 KB" "0 0 bytes (empty)"; do
    read -r size name <<<"$tree"
    case="${name%% *}${name#* }"
    case="${case//[^A-Za-z0-9]/}"
    makeTree "$work/template.$case" "$files" "$size"
    [ "$peerFiles" = "$files" ] || makeTree "$work/peers.$case" "$peerFiles" "$size"
    peerTemplate="$work/template.$case"
    [ "$peerFiles" = "$files" ] || peerTemplate="$work/peers.$case"
    tools="korvane rm"
    [ "$size" -gt 0 ] && tools="$tools dd"
    peers="srm shred"
    [ "$haveSdsrm" = 1 ] && peers="$peers sdsrm"
    [ -n "$oldBuild" ] && peers="oldkorvane $peers"
    sync
    most=$((rounds > peerRounds ? rounds : peerRounds))
    for ((i = 1; i <= most; i++)); do
        if [ "$i" -le "$rounds" ]; then
            for tool in $tools; do oneRun "$tool" "$case" "$work/template.$case" $((files * size)) "$i"; done
        fi
        if [ "$i" -le "$peerRounds" ]; then
            for tool in $peers; do oneRun "$tool" "$case" "$peerTemplate" 0 "$i"; done
        fi
    done

    echo "$files files of $name in $folders folders, one pass; korvane, rm and dd: median of $rounds" \
        "runs; the others: $peerFiles files, median of $peerRounds runs, scaled to $files files"
    printf '%-34s %7s %9s %9s %10s %9s %8s   %s\n' tool files seconds files/s "s@$files" \
        "vs korv." load runs
    declare -A scaled=()
    for tool in $tools $peers; do
        f="$work/times.$tool.$case"
        n=$files
        case " $peers " in *" $tool "*) n=$peerFiles ;; esac
        m=$(cut -d' ' -f1 "$f" | median)
        l=$(cut -d' ' -f3 "$f" | median)
        scaled[$tool]=$(echo "$m * $files / $n" | bc -l)
        printf '%-34s %7d %9.2f %9.0f %10.2f %9.2f %8.2f   %s\n' "${label[$tool]}" "$n" "$m" \
            "$(echo "$n / $m" | bc -l)" "${scaled[$tool]}" \
            "$(echo "${scaled[$tool]} / ${scaled[korvane]}" | bc -l)" "$l" \
            "$(cut -d' ' -f1 "$f" | xargs printf '%.2f ')"
    done
    rss=$(cut -d' ' -f2 "$work/times.korvane.$case" | sort -n | tail -1)
    echo "korvane peak memory (largest of korvane and srm, all runs): $((rss / 1024)) MiB" \
        "($(echo "$rss * 1024 / $files" | bc) bytes a file)"
    fastest=""
    # The peers: shred and secure-delete's srm (our own srm's -r walk is shown, not counted).
    for tool in shred sdsrm; do
        [ -n "${scaled[$tool]:-}" ] || continue
        if [ -z "$fastest" ] || [ "$(echo "${scaled[$tool]} < ${scaled[$fastest]}" | bc)" = 1 ]; then
            fastest=$tool
        fi
    done
    floor=${scaled[rm]}
    [ -n "${scaled[dd]:-}" ] && floor=$(echo "$floor + ${scaled[dd]}" | bc -l)
    printf 'korvane is %.1fx faster than the fastest overwriting peer (%s; target >= 3)\n' \
        "$(echo "${scaled[$fastest]} / ${scaled[korvane]}" | bc -l)" "${label[$fastest]}"
    printf 'korvane takes %.2fx the floor, rm -r%s = %.2f s (target <= 3)\n' \
        "$(echo "${scaled[korvane]} / $floor" | bc -l)" "$([ -n "${scaled[dd]:-}" ] && echo ' + dd')" "$floor"
    echo
    unset scaled
    rm -rf -- "$work/template.$case" "$work/peers.$case"
done

if [ "$bigBytes" -gt 0 ]; then
    bigTemplate="$work/big.template"
    head -c "$bigBytes" /dev/urandom >"$bigTemplate"
    bigRuns() {
        local tool="$1" target t rss all=""
        for ((i = 1; i <= rounds; i++)); do
            target="$(mktemp -d "$work/run.XXXXXX")/big"
            dd if="$bigTemplate" of="$target" bs=4M conv=fsync status=none
            [ "$tool" = korvane ] && freshHistory new
            sync
            if [ "$tool" = korvane ]; then
                read -r t rss <<<"$(measure env KORVANE_BUNDLE="$work/new/KorvaneLoader.app" \
                    "$(korvaneOf new)" erase --yes --level 1 "$target")"
            else
                read -r t rss <<<"$(measure "$srm" -fsz "$target")"
            fi
            check "$tool" "big $i" "$target"
            all="$all $t"
        done
        echo "$(for t in $all; do echo "$t"; done | median) $(for t in $all; do printf '%.2f ' "$t"; done)"
    }
    echo "One big file: $bigSize ($bigBytes bytes) of random data, one pass, median of $rounds runs"
    printf '%-34s %9s %9s %13s   %s\n' tool seconds MB/s korvane/tool runs
    read -r bk bkRuns <<<"$(bigRuns korvane)"
    read -r bs bsRuns <<<"$(bigRuns srm)"
    printf '%-34s %9.2f %9.0f %13.2f   %s\n' "korvane erase --yes --level 1" "$bk" \
        "$(echo "$bigBytes / 1000000 / $bk" | bc -l)" 1 "$bkRuns"
    printf '%-34s %9.2f %9.0f %13.2f   %s\n' "our srm -fsz" "$bs" \
        "$(echo "$bigBytes / 1000000 / $bs" | bc -l)" "$(echo "$bk / $bs" | bc -l)" "$bsRuns"
    echo "target: korvane/our srm <= 1.10"
    echo
fi

if [ -s "$notes" ]; then
    echo "Notes (what the tools printed or left behind):"
    cat "$notes"
else
    echo "Notes: no tool printed anything unexpected or left anything behind."
fi
