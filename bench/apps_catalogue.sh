#!/usr/bin/env bash
# How long the uninstaller's list of applications takes: `korvane apps` (the same scan the window
# runs: desktop entries walked and read, their packages looked up once for all) against a plain
# shell pipeline doing the least of it (find the desktop entries, drop the hidden ones, ask
# dpkg-query -S who owns them), on this machine's applications plus N fixture entries in a
# throw-away home.
#   bench/apps_catalogue.sh [-b BUILD] [-n ENTRIES] [-r ROUNDS]
#   -b BUILD    build tree holding bin/korvane and bundle/ (default: ../build from here)
#   -n ENTRIES  desktop entries made in the throw-away home (default 150)
#   -r ROUNDS   runs per tool; the median counts (default 5)
# Nothing is removed or changed outside the throw-away home, which goes at exit.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/build"
entries=150
rounds=5
usage() { sed -n '7,10p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
while getopts "b:n:r:h" opt; do
    case "$opt" in
    b) build="$OPTARG" ;;
    n) entries="$OPTARG" ;;
    r) rounds="$OPTARG" ;;
    *) usage ;;
    esac
done
[[ "$entries" =~ ^[0-9]+$ && "$rounds" =~ ^[1-9][0-9]*$ ]] || usage
korvane="$build/bin/korvane"
bundle="$build/bundle/KorvaneLoader.app"
[ -x "$korvane" ] || { echo "no $korvane: build first" >&2; exit 1; }

home=$(mktemp -d /var/tmp/korvane-apps-bench.XXXXXX)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.local/share/applications"
for i in $(seq 1 "$entries"); do
    printf '[Desktop Entry]\nType=Application\nName=Bench App %d\nExec=bench-app-%d %%U\nIcon=bench\n' \
        "$i" "$i" > "$home/.local/share/applications/bench-app-$i.desktop"
done

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
timeIt() { # prints seconds of one run of "$@"
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}
pipeline() {
    local dirs=("$home/.local/share/applications" /usr/local/share/applications /usr/share/applications
        /var/lib/flatpak/exports/share/applications /var/lib/snapd/desktop/applications)
    find "${dirs[@]}" -name '*.desktop' 2>/dev/null |
        xargs -r grep -L -E '^(NoDisplay|Hidden)=true' |
        xargs -r dpkg-query -S 2>/dev/null || true
}

listed=$("$korvane" apps --bundle "$bundle" --home "$home" 2>/dev/null | wc -l)
k=$(for _ in $(seq "$rounds"); do timeIt "$korvane" apps --bundle "$bundle" --home "$home"; done | median)
p=$(for _ in $(seq "$rounds"); do timeIt pipeline; done | median)
printf '%-28s %8s\n' "tool" "seconds"
printf '%-28s %8.3f   (%d applications listed)\n' "korvane apps" "$k" "$listed"
printf '%-28s %8.3f\n' "find | grep | dpkg-query -S" "$p"
printf 'korvane / pipeline: %.2f\n' "$(echo "$k / $p" | bc -l)"
