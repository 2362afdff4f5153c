#!/bin/sh
# Proof of the Debian package in a throw-away Debian 12 system (`make deb-check`):
#   1. a bare bookworm (debootstrap --variant=minbase) in a temporary folder, plus man-db;
#      its file list is the baseline;
#   2. `apt install ./korvane-data-eraser_*.deb` there: what apt pulls and how much;
#   3. korvane --version, man korvane, man srm, the bash completion, korvane commands that make
#      the program write its settings, history and signing key into the bundle;
#   4. the window started on the offscreen platform: it must stay up; then on an Xvfb display,
#      with a screenshot (Xvfb and xwd installed for that step only);
#   5. apt remove: only the documented run-time files are left, and an install again finds them;
#      apt purge: nothing of the package is left; apt autoremove --purge: the file list is the
#      baseline's again, but for apt's and dpkg's own bookkeeping, the files of the packages apt
#      keeps and the root user's home.
#
# usage: packaging/check-deb.sh PACKAGE.deb [OUTPUT_DIR]
# Needs root, debootstrap and the network to a Debian mirror. Runs in a mount namespace of its
# own: the chroot's /proc, /sys and /dev mounts end with it. The report, the file lists and the
# screenshot go to OUTPUT_DIR (default: build/deb-check).
# Environment: KORVANE_CHECK_MIRROR (default http://deb.debian.org/debian);
#   KORVANE_CHECK_CACHE: a folder where the bare system is kept as a tarball between runs
#   (default /var/tmp/korvane-deb-check-cache; empty: always debootstrap afresh);
#   KORVANE_CHECK_KEEP=1 keeps the chroot.
set -eu

if [ "$(id -u)" != 0 ]; then
    echo "check-deb.sh: needs root (debootstrap, chroot)" >&2
    exit 1
fi
if [ "${KORVANE_CHECK_NAMESPACE:-}" != 1 ]; then
    KORVANE_CHECK_NAMESPACE=1 exec unshare --mount --propagation private "$0" "$@"
fi

deb=$(realpath "$1")
out=$(realpath -m "${2:-build/deb-check}")
mirror=${KORVANE_CHECK_MIRROR:-http://deb.debian.org/debian}
cache=${KORVANE_CHECK_CACHE-/var/tmp/korvane-deb-check-cache}
mkdir -p "$out"
rm -f "$out"/*
report="$out/report.txt"
: >"$report"
export LC_ALL=C
log() { printf '%s\n' "$*" | tee -a "$report"; }
failures=0
fail() { log "FAIL: $*"; failures=$((failures + 1)); }

command -v debootstrap >/dev/null || { echo "apt-get install debootstrap" >&2; exit 1; }
tmp=$(mktemp -d /var/tmp/korvane-deb-check.XXXXXX)
root="$tmp/root"
mounted=""
cleanup() {
    for m in $mounted; do umount -l "$root/$m" 2>/dev/null || true; done
    if [ "${KORVANE_CHECK_KEEP:-}" = 1 ]; then
        echo "chroot kept: $root"
    elif ! grep -q " $tmp/" /proc/self/mounts; then
        rm -rf "$tmp"
    else
        echo "not removing $tmp: something is still mounted there" >&2
    fi
}
trap cleanup EXIT INT TERM

in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"; }

# Every path of the chroot's own file system, /tmp and the mounts left out.
list_files() {
    (cd "$root" && find . -xdev \( -path ./tmp -o -path ./proc -o -path ./sys -o -path ./dev \) -prune \
        -o -print | sed 's|^\.||' | LC_ALL=C sort)
}

# ---- 1. The bare system --------------------------------------------------------------------
log "== Debian 12 chroot in $root"
if [ -n "$cache" ] && [ -f "$cache/bookworm-minbase.tar" ]; then
    mkdir -p "$root"
    tar -C "$root" -xpf "$cache/bookworm-minbase.tar"
    log "bare system from $cache/bookworm-minbase.tar"
else
    debootstrap --variant=minbase bookworm "$root" "$mirror" >"$out/debootstrap.log" 2>&1 ||
        { tail -20 "$out/debootstrap.log"; exit 1; }
    if [ -n "$cache" ]; then
        mkdir -p "$cache"
        tar -C "$root" -cpf "$cache/bookworm-minbase.tar.part" . && mv "$cache/bookworm-minbase.tar.part" "$cache/bookworm-minbase.tar"
    fi
    log "bare system by debootstrap --variant=minbase bookworm $mirror"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
# No daemon starts inside the chroot (polkitd and dbus come with pkexec).
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"
for m in proc sys dev; do
    case $m in
        proc) mount -t proc proc "$root/proc" ;;
        sys) mount -t sysfs sysfs "$root/sys" ;;
        dev) mount --bind /dev "$root/dev" ;;
    esac
    mounted="$m $mounted"
done
in_root apt-get update -qq
in_root apt-get install -y -qq --no-install-recommends man-db >"$out/man-db.log" 2>&1 ||
    { tail -20 "$out/man-db.log"; exit 1; }
in_root apt-get clean
list_files >"$out/files-baseline.txt"
log "baseline: $(wc -l <"$out/files-baseline.txt") paths, $(in_root dpkg-query -W | wc -l) packages (bookworm minbase + man-db)"

# ---- 2. apt install ./korvane-data-eraser_*.deb --------------------------------------------
log ""
log "== apt install ./$(basename "$deb")  ($(du -k "$deb" | cut -f1) KiB)"
cp "$deb" "$root/tmp/"
in_root dpkg-query -W -f='${Package}\n' | sort >"$out/packages-before.txt"
in_root apt-get install -s --no-install-recommends "./tmp/$(basename "$deb")" >"$out/apt-minimal.log" 2>&1 &&
    log "with --no-install-recommends apt would install $(grep -c '^Inst ' "$out/apt-minimal.log") packages"
in_root apt install -y "./tmp/$(basename "$deb")" >"$out/apt-install.log" 2>&1 ||
    { tail -30 "$out/apt-install.log"; fail "apt install"; exit 1; }
in_root dpkg-query -W -f='${Package}\n' | sort >"$out/packages-installed.txt"
comm -13 "$out/packages-before.txt" "$out/packages-installed.txt" >"$out/packages-pulled.txt"
grep -E '^(Need to get|After this operation)' "$out/apt-install.log" | tee -a "$report" || true
log "apt installed $(wc -l <"$out/packages-pulled.txt") packages (list: packages-pulled.txt):"
tr '\n' ' ' <"$out/packages-pulled.txt" | fold -s -w 100 | sed 's/^/  /' | tee -a "$report"
log ""
in_root dpkg -L korvane-data-eraser | LC_ALL=C sort >"$out/package-files.txt"
log "the package installed $(wc -l <"$out/package-files.txt") paths; installed size $(in_root dpkg-query -W -f='${Installed-Size}' korvane-data-eraser) KiB"

# ---- 3. The command line, the manual pages, the completion ---------------------------------
log ""
log "== korvane"
log "which korvane: $(in_root sh -c 'command -v korvane')"
version=$(in_root korvane --version) || fail "korvane --version"
log "korvane --version: $version"
case $version in "korvane (Korvane Data Eraser) "*) ;; *) fail "unexpected version line" ;; esac
in_root sh -c 'MANWIDTH=80 man korvane 2>&1' >"$out/man-korvane.txt" || fail "man korvane"
log "man korvane: $(wc -l <"$out/man-korvane.txt") lines; first: $(head -1 "$out/man-korvane.txt")"
grep -q 'wipe-free-space' "$out/man-korvane.txt" || fail "man korvane lacks its commands"
in_root sh -c 'MANWIDTH=80 man srm 2>&1' >"$out/man-srm.txt" || fail "man srm"
log "man srm: $(wc -l <"$out/man-srm.txt") lines; $(in_root man -w srm)"
completion=$(in_root bash -c '. /usr/share/bash-completion/completions/korvane; complete -p korvane
    COMP_WORDS=(korvane wipe-drive /dev/sda --method ""); COMP_CWORD=4; _korvane; echo "${COMPREPLY[*]}"')
log "bash completion: $(echo "$completion" | tr '\n' ';')"
echo "$completion" | grep -q 'complete -F _korvane korvane' || fail "completion not registered"
echo "$completion" | grep -q 'overwrite sanitize auto' || fail "completion of --method"
resources="/opt/korvane-data-eraser/KorvaneLoader.app/Contents/MacOS/Korvane Data Eraser.app/Contents/Resources"
in_root korvane settings organisation "Deb Check Org" || fail "korvane settings"
log "korvane settings organisation: $(in_root korvane settings organisation)"
in_root korvane history >/dev/null 2>&1 || fail "korvane history"
in_root korvane certificate key >"$out/certificate-key.txt" 2>&1 || log "korvane certificate key: $(cat "$out/certificate-key.txt")"
log "run-time files in the bundle's Resources now:"
(cd "$root$resources" && find . -mindepth 1 \( -name 'NexwipeBase.plist' -o -name 'DataBase.db*' \
    -o -name CertificateKey -o -name drive-wipes -o -path './CertificateKey/*' \) | sort | sed 's/^/  /') | tee -a "$report"

# ---- 4. The window ---------------------------------------------------------------------------
main_pid() { # the main program's process inside the chroot, if any
    for p in /proc/[0-9]*; do
        exe=$(readlink "$p/exe" 2>/dev/null) || continue
        case $exe in "$root/opt/korvane-data-eraser/"*"/Korvane Data Eraser") echo "${p#/proc/}"; return ;; esac
    done
}
window_check() { # PLATFORM_ENV...: start the loader, the main program must be up 10 s later
    in_root "$@" /opt/korvane-data-eraser/KorvaneLoader.app/Contents/MacOS/KorvaneLoader \
        >"$out/window-$1.log" 2>&1 || true
    pid=""
    for _ in 1 2 3 4 5 6 7 8 9 10; do pid=$(main_pid); [ -n "$pid" ] && break; sleep 1; done
    if [ -z "$pid" ]; then fail "the window did not start ($*)"; cat "$out/window-$1.log"; return 1; fi
    sleep 10
    if [ -d "/proc/$pid" ]; then log "window ($*): main program pid $pid up after 10 s"; else
        fail "the window ended within 10 s ($*)"; cat "$out/window-$1.log"; return 1; fi
}
log ""
log "== the window"
if window_check QT_QPA_PLATFORM=offscreen; then kill "$pid"; sleep 1; fi
# On an X display with a screenshot: Xvfb and xwd for this step only (marked automatic, so that
# autoremove takes them away again).
in_root apt-get install -y -qq --no-install-recommends xvfb xauth x11-apps >"$out/xvfb.log" 2>&1 ||
    { tail -20 "$out/xvfb.log"; fail "installing xvfb"; }
in_root apt-mark auto xvfb xauth x11-apps >/dev/null
in_root Xvfb :97 -screen 0 1280x800x24 -nolisten tcp >"$out/xvfb-run.log" 2>&1 &
xvfb=$!
sleep 2
if window_check DISPLAY=:97; then
    sleep 3
    in_root xwd -root -display :97 -silent >"$out/window.xwd" && command -v convert >/dev/null &&
        convert "xwd:$out/window.xwd" "$out/window.png" && rm -f "$out/window.xwd"
    [ -f "$out/window.png" ] && log "screenshot: $out/window.png" || log "screenshot: $out/window.xwd"
    kill "$pid"
fi
kill "$xvfb" 2>/dev/null || true
sleep 1

# ---- 5. remove, purge, autoremove ------------------------------------------------------------
# What of the package is still there: the paths it installed (dpkg -L, recorded while installed)
# and anything under its own folders, when the baseline did not have them; a folder only when
# it is empty or no installed package lists it (another package's folder is not ours to take).
leftovers() {
    { cat "$out/package-files.txt"
      for own in /opt/korvane-data-eraser /var/lib/korvane-data-eraser; do
          [ -e "$root$own" ] && (cd "$root" && find ".$own" | sed 's|^\.||')
      done
    } | LC_ALL=C sort -u | comm -23 - "$out/files-baseline.txt" | while IFS= read -r path; do
        [ -e "$root$path" ] || [ -L "$root$path" ] || continue
        if [ -d "$root$path" ] && [ ! -L "$root$path" ]; then
            case $path in /opt/korvane-data-eraser* | /var/lib/korvane-data-eraser*) ;; *)
                [ -n "$(ls -A "$root$path")" ] && continue
                in_root dpkg-query -S "$path" 2>/dev/null | grep -qv '^korvane-data-eraser:' && continue ;;
            esac
        fi
        printf '%s\n' "$path"
    done
}
log ""
log "== apt remove korvane-data-eraser"
in_root apt remove -y korvane-data-eraser >"$out/apt-remove.log" 2>&1 || fail "apt remove"
leftovers >"$out/left-after-remove.txt"
log "left of the package after remove (the program's run-time files, kept for a reinstall):"
sed 's/^/  /' "$out/left-after-remove.txt" | tee -a "$report"
app=/opt/korvane-data-eraser/KorvaneLoader.app
while IFS= read -r path; do
    case $path in
        /opt/korvane-data-eraser | "$app" | "$app/Contents" | "$app/Contents/MacOS" | \
        "$app/Contents/MacOS/Korvane Data Eraser.app" | "$app/Contents/MacOS/Korvane Data Eraser.app/Contents" | \
        "$resources" | "$resources/NexwipeBase.plist" | "$resources/DataBase.db"* | \
        "$resources/CertificateKey" | "$resources/CertificateKey/"* | "$resources/drive-wipes" | "$resources/drive-wipes/"*) ;;
        *) fail "left after remove: $path" ;;
    esac
done <"$out/left-after-remove.txt"

log ""
log "== apt install again: the kept settings are the program's again"
in_root apt install -y "./tmp/$(basename "$deb")" >"$out/apt-reinstall.log" 2>&1 || fail "apt install again"
kept=$(in_root korvane settings organisation) || true
log "korvane settings organisation after reinstall: $kept"
[ "$kept" = "Deb Check Org" ] || fail "the settings were not kept over remove and install"
in_root apt remove -y korvane-data-eraser >>"$out/apt-remove.log" 2>&1 || fail "apt remove (again)"

log ""
log "== apt purge korvane-data-eraser"
in_root apt purge -y korvane-data-eraser >"$out/apt-purge.log" 2>&1 || fail "apt purge"
leftovers >"$out/left-after-purge.txt"
if [ -s "$out/left-after-purge.txt" ]; then
    fail "left after purge: $(cat "$out/left-after-purge.txt")"
else
    log "nothing of the package is left after purge (its $(wc -l <"$out/package-files.txt") paths checked)"
fi
[ -d "$root/opt" ] || fail "/opt was removed with the package"

log ""
log "== apt autoremove --purge (the packages pulled in)"
in_root apt autoremove --purge -y >"$out/apt-autoremove.log" 2>&1 || fail "apt autoremove"
in_root apt-get clean
list_files >"$out/files-after-autoremove.txt"
in_root dpkg-query -W -f='${Package}\n' | sort >"$out/packages-after.txt"
comm -13 "$out/packages-before.txt" "$out/packages-after.txt" >"$out/packages-kept.txt"
if [ -s "$out/packages-kept.txt" ]; then
    log "packages apt keeps (recommended by packages of the baseline): $(tr '\n' ' ' <"$out/packages-kept.txt")"
else
    log "the installed packages are the baseline's again ($(wc -l <"$out/packages-after.txt"))"
fi
diff "$out/files-baseline.txt" "$out/files-after-autoremove.txt" | grep '^[<>]' >"$out/files-diff.txt" || true
# The paths the baseline lacks, by whose they are.
while read -r package; do in_root dpkg-query -L "$package"; done <"$out/packages-kept.txt" |
    LC_ALL=C sort -u >"$out/kept-package-files.txt"
grep '^> ' "$out/files-diff.txt" | sed 's/^> //' >"$out/added.txt" || true
comm -23 "$out/added.txt" "$out/kept-package-files.txt" >"$out/added-unowned.txt"
grep -E '^/root(/|$)' "$out/added-unowned.txt" >"$out/added-home.txt" || true
grep -E '^/(var/(lib/(apt|dpkg|systemd|ucf)|cache|log)|etc/(ld\.so\.cache|machine-id|mtab|(passwd|group|shadow|gshadow)-))(/|$)' \
    "$out/added-unowned.txt" >"$out/added-bookkeeping.txt" || true
grep -v -E '^/root(/|$)|^/(var/(lib/(apt|dpkg|systemd|ucf)|cache|log)|etc/(ld\.so\.cache|machine-id|mtab|(passwd|group|shadow|gshadow)-))(/|$)' \
    "$out/added-unowned.txt" >"$out/added-other.txt" || true
log "file list against the baseline: $(wc -l <"$out/added.txt") more, $(grep -c '^<' "$out/files-diff.txt") fewer paths (files-diff.txt):"
log "  $(comm -12 "$out/added.txt" "$out/kept-package-files.txt" | wc -l) of the packages apt keeps"
log "  $(wc -l <"$out/added-bookkeeping.txt") apt/dpkg/man-db bookkeeping, caches and logs, account backups"
log "  $(wc -l <"$out/added-home.txt") in root's home (the user's own: settings, file-manager actions):"
sed 's/^/    /' "$out/added-home.txt" | tee -a "$report"
log "  $(wc -l <"$out/added-other.txt") others (made by packages apt keeps, e.g. ca-certificates' /etc/ssl/certs):"
sed 's/^/    /' "$out/added-other.txt" | head -20 | tee -a "$report"
grep '^< ' "$out/files-diff.txt" | sed 's/^< /  gone: /' | tee -a "$report" || true
grep -i korvane "$out/added-bookkeeping.txt" "$out/added-other.txt" | sed 's/^/  named after the program: /' | tee -a "$report" || true
cat "$out/added-bookkeeping.txt" "$out/added-other.txt" | grep -i korvane >/dev/null &&
    fail "files named after the program outside the user's home"
grep -q '^< ' "$out/files-diff.txt" && fail "paths of the baseline are gone"
log ""
if [ "$failures" = 0 ]; then log "deb-check: PASSED"; else log "deb-check: $failures FAILURES"; fi
exit $((failures != 0))
