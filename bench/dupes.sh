#!/usr/bin/env bash
# Duplicate finding: `korvane duplicates` against jdupes -r, fdupes -r, rdfind and rmlint on a
# generated corpus with known duplicates (and, with -u, on copies of /usr/share/doc and
# /usr/include), warm cache. Prints the median wall time of each tool, korvane's ratio to jdupes,
# and checks that korvane finds the same duplicate sets as jdupes (hard links aside: jdupes
# leaves them out) and as the generator planted. With -2 the corpus is run again at twice the
# size, to show how the time grows.
#
# usage: bench/dupes.sh [-b BUILD] [-n FILES] [-r ROUNDS] [-d SCRATCH] [-u] [-2] [-k]
#   -b BUILD    build folder (default: build)          -n FILES   corpus size (default 100000)
#   -r ROUNDS   timed runs per tool (default 3)       -d SCRATCH parent of the work folder (/var/tmp)
#   -u          also the copied /usr/share/doc + /usr/include
#   -2          also a corpus of twice FILES           -k         keep the work folder
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/build"; files=100000; rounds=3; scratch=/var/tmp; usr=0; double=0; keep=0
while getopts "b:n:r:d:u2k" opt; do
    case "$opt" in
    b) build="$(cd "$OPTARG" && pwd)" ;; n) files="$OPTARG" ;; r) rounds="$OPTARG" ;;
    d) scratch="$OPTARG" ;; u) usr=1 ;; 2) double=1 ;; k) keep=1 ;;
    *) sed -n '2,14p' "$0"; exit 2 ;;
    esac
done
korvane="$build/bin/korvane"
[ -x "$korvane" ] || { echo "no $korvane: build first (make)" >&2; exit 1; }
for t in jdupes fdupes rdfind rmlint python3; do
    command -v "$t" >/dev/null || { echo "missing $t (apt-get install jdupes fdupes rdfind rmlint)" >&2; exit 1; }
done
work="$(mktemp -d "$scratch/korvane-dupes.XXXXXX")"
case "$work" in "$here"/*) echo "refusing a work folder inside the checkout" >&2; exit 1 ;; esac
[ "$keep" = 1 ] || trap 'rm -rf "$work"' EXIT
cd "$work"

# The corpus: FILES files in folders of 100, sizes from 1 byte to 256 KiB (most small, as in a
# home folder); a fifth are copies of earlier files, some in groups of three or more; a tenth
# share their size (and some their first 4 KiB) with another file but differ after it; a few
# hard links. The planted groups go to planted.json.
make_corpus() { # DIR COUNT
    python3 - "$1" "$2" <<'PY'
import json, os, random, sys
root, count = sys.argv[1], int(sys.argv[2])
rng = random.Random(20261209)
os.makedirs(root)
originals, groups, n = [], {}, 0
def path(i):
    d = os.path.join(root, "d%04d" % (i // 100))
    if i % 100 == 0:
        os.makedirs(d, exist_ok=True)
    return os.path.join(d, "f%06d.dat" % i)
def size():
    r = rng.random()
    return rng.randint(1, 1024) if r < 0.45 else rng.randint(1025, 16384) if r < 0.85 else rng.randint(16385, 262144)
for i in range(count):
    p = path(i); r = rng.random()
    if originals and r < 0.20:                       # an exact copy
        src = rng.choice(originals)
        with open(src, "rb") as f: data = f.read()
        groups.setdefault(src, [src]).append(p)
    elif originals and r < 0.30:                     # same size, other content (same head often)
        src = rng.choice(originals)
        with open(src, "rb") as f: data = bytearray(f.read())
        k = rng.randrange(len(data)) if rng.random() < 0.5 or len(data) <= 4096 else rng.randrange(4096, len(data))
        data[k] = (data[k] + 1 + rng.randrange(255)) % 256
        data = bytes(data)
    elif originals and r < 0.305:                    # a hard link
        src = rng.choice(originals)
        os.link(src, p); continue
    else:
        data = rng.randbytes(size()); originals.append(p)
    with open(p, "wb") as f: f.write(data)
with open(os.path.join(os.path.dirname(root), os.path.basename(root) + ".planted.json"), "w") as f:
    json.dump([sorted(g) for g in groups.values()], f)
PY
}

# Duplicate sets from each output as sorted lists of inode numbers, each set of names of one
# file counted once and sets of one file left out ("hard links aside": jdupes leaves them out).
normalize='
import json, os, sys
def norm(groups):
    out = []
    for g in groups:
        inodes = sorted({os.stat(p).st_ino for p in g})
        if len(inodes) > 1: out.append(inodes)
    return sorted(out)
'
sets_korvane() { "$korvane" duplicates "$1" --hidden --json | python3 -c "$normalize"'
d = json.load(sys.stdin)
print(json.dumps(norm([f["path"] for f in g["files"]] for g in d["groups"])))'; }
sets_jdupes() { jdupes -r -q "$1" | python3 -c "$normalize"'
out, cur = [], []
for line in sys.stdin.read().split("\n"):
    if line: cur.append(line)
    elif cur: out.append(cur); cur = []
if cur: out.append(cur)
print(json.dumps(norm(out)))'; }

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }
# The tools, run in turns: each round runs every tool once, so that a busy spell of the machine
# weighs on all of them alike rather than on the one that happened to run then.
tool_k() { "$korvane" duplicates "$1" --hidden; }
tool_j() { jdupes -r -q "$1"; }
tool_f() { fdupes -r -q "$1"; }
tool_r() { rdfind -dryrun true -outputname "$work/rdfind.txt" "$1"; }
tool_m() { rmlint -T df -o fdupes:"$work/rmlint.txt" "$1"; }
tools="k j f r m"
declare -A names=([k]="korvane duplicates" [j]="jdupes -r" [f]="fdupes -r" [r]="rdfind -dryrun true" [m]="rmlint -T df")

run_all() { # DIR LABEL
    local dir="$1" label="$2" n t
    n=$(find "$dir" -type f | wc -l)
    find "$dir" -type f -print0 | xargs -0 cat >/dev/null  # warm the cache
    echo "== $label: $n files, $(du -sh "$dir" | cut -f1), $(nproc) cores, $(stat -f -c %T "$dir")"
    local -A times=()
    for t in $tools; do "tool_$t" "$dir" >/dev/null 2>&1 || true; done # warm-up
    for _ in $(seq "$rounds"); do
        for t in $tools; do
            local s e; s=$(date +%s.%N); "tool_$t" "$dir" >/dev/null 2>&1 || true; e=$(date +%s.%N)
            times[$t]+="$(echo "$e - $s" | bc -l) "
        done
    done
    local -A med=()
    for t in $tools; do
        med[$t]=$(echo "${times[$t]}" | tr ' ' '\n' | grep . | median)
        printf '%-22s %8.3f s\n' "${names[$t]}" "${med[$t]}"
    done
    local tk="${med[k]}" tj="${med[j]}"
    printf 'korvane / jdupes: %.2f\n' "$(echo "$tk / $tj" | bc -l)"
    if [ "$(sets_korvane "$dir")" = "$(sets_jdupes "$dir")" ]; then
        echo "same duplicate sets as jdupes: yes"
    else
        echo "same duplicate sets as jdupes: NO"
    fi
    if [ -f "$dir.planted.json" ]; then
        sets_korvane "$dir" >"$work/found.json"
        python3 -c "$normalize"'
planted = norm(json.load(open(sys.argv[1]))); found = json.load(open(sys.argv[2]))
# Every planted group lies whole in one found group (a found group may join planted groups
# whose originals happened to be equal).
index = {i: n for n, g in enumerate(found) for i in g}
ok = all(len({index.get(i) for i in g}) == 1 and None not in {index.get(i) for i in g} for g in planted)
print("planted groups found whole: %s (%d planted, %d found)" % ("yes" if ok else "NO", len(planted), len(found)))' \
            "$dir.planted.json" "$work/found.json"
    fi
}

make_corpus "$work/corpus" "$files"
run_all "$work/corpus" "generated corpus"
if [ "$double" = 1 ]; then
    make_corpus "$work/corpus2" "$((files * 2))"
    run_all "$work/corpus2" "generated corpus x2"
fi
if [ "$usr" = 1 ]; then
    mkdir -p "$work/usr"
    cp -a /usr/share/doc "$work/usr/doc"
    cp -a /usr/include "$work/usr/include"
    run_all "$work/usr" "copied /usr/share/doc + /usr/include"
fi
