# Sourced by the package round-trip scripts: their arguments, and /etc, /usr and /var turned
# into overlays on a tmpfs of this private mount namespace, so that nothing done after this
# reaches the machine.
#   $1 korvane  $2 bundle  $3 work folder (created, empty)
set -eu
korvane=$1 bundle=$2 work=$3
fail() { echo "FAIL: $*"; exit 1; }

mkdir -p "$work/overlay"
mount -t tmpfs tmpfs "$work/overlay"
for d in etc usr var; do
    mkdir -p "$work/overlay/$d/upper" "$work/overlay/$d/work"
    mount -t overlay overlay \
        -o "lowerdir=/$d,upperdir=$work/overlay/$d/upper,workdir=$work/overlay/$d/work" "/$d"
done
