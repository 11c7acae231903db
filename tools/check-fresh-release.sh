#!/usr/bin/env bash
# A maintainer's check that the README's two commands work on a fresh Debian release: makes a
# new chroot of the release with debootstrap, adds git only, clones this repository's commit
# into it and runs, as root with no display, `bash scripts/run.sh` and then
# `bash scripts/test-all.sh`. Prints each command's exit code and wall time and the SHA-256 of
# the quillon.exe built, then ends every process left in the chroot, by process id, undoes its
# mounts and removes it. Not part of the test command; needs root and the network.
#
#   tools/check-fresh-release.sh RELEASE [COMMIT]
#
# RELEASE is a Debian code name (bookworm, trixie); COMMIT defaults to HEAD. Only committed
# work is checked. QUILLON_CHROOTS names the folder the chroot is made in (default /var/tmp;
# it takes about 4 GB), QUILLON_MIRROR the Debian mirror, and QUILLON_KEEP_CHROOT=1 keeps the
# chroot, its mounts undone, for a look afterwards.
set -euo pipefail

release=${1:?usage: tools/check-fresh-release.sh RELEASE [COMMIT]}
repository=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$repository" rev-parse --verify "${2:-HEAD}^{commit}")
mirror=${QUILLON_MIRROR:-http://deb.debian.org/debian}
parent=${QUILLON_CHROOTS:-/var/tmp}

if [[ $(id -u) != 0 ]]; then
    echo "check-fresh-release: needs root (debootstrap, mount, chroot)" >&2
    exit 2
fi
if ! command -v debootstrap >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap
fi

mkdir -p "$parent"
root=$(mktemp -d "$(cd "$parent" && pwd -P)/quillon-$release.XXXXXX")
logs=$root.logs
mkdir -p "$logs"
mounts=(proc sys dev dev/pts)

# Processes whose root directory is the chroot: whatever the commands left running there.
chroot_pids() {
    local entry
    for entry in /proc/[0-9]*; do
        [[ $(readlink "$entry/root" 2>/dev/null) == "$root" ]] && echo "${entry#/proc/}"
    done
    return 0
}

mounted_under_root() {
    awk -v root="$root" '$2 == root || index($2, root "/") == 1 { print $2 }' /proc/self/mounts
}

clean_up() {
    local pids tries=0
    pids=$(chroot_pids)
    if [[ -n $pids ]]; then
        echo "check-fresh-release: ending processes left in the chroot: $(echo $pids)"
        kill $pids 2>/dev/null || true
        while [[ -n $(chroot_pids) ]] && (( ++tries < 50 )); do sleep 0.1; done
        pids=$(chroot_pids)
        [[ -z $pids ]] || kill -KILL $pids 2>/dev/null || true
    fi
    local i
    for (( i = ${#mounts[@]} - 1; i >= 0; i-- )); do
        if mountpoint -q "$root/${mounts[i]}"; then
            umount "$root/${mounts[i]}" || umount -l "$root/${mounts[i]}"
        fi
    done
    # The chroot holds the host's /dev while mounted: it is removed only once nothing is.
    if [[ -n $(mounted_under_root) ]]; then
        echo "check-fresh-release: still mounted, chroot left in $root: $(mounted_under_root | tr '\n' ' ')" >&2
    elif [[ ${QUILLON_KEEP_CHROOT:-0} == 1 ]]; then
        echo "check-fresh-release: chroot kept in $root"
    else
        rm -rf --one-file-system "$root"
    fi
    echo "check-fresh-release: logs in $logs"
}
trap clean_up EXIT

elapsed() {
    local start=$1 end
    end=$(date +%s.%N)
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.0f s", e - s }'
}

echo "check-fresh-release: Debian $release, commit $commit, in $root"
start=$(date +%s.%N)
nice debootstrap "$release" "$root" "$mirror" > "$logs/debootstrap.log" 2>&1 || {
    tail -n 20 "$logs/debootstrap.log" >&2
    exit 1
}
echo "check-fresh-release: debootstrap $(elapsed "$start")"

mount -t proc proc "$root/proc"
mount -t sysfs sysfs "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
cp /etc/resolv.conf "$root/etc/resolv.conf"

# As a newcomer would start: nothing beyond the base system but git.
in_chroot() {
    nice chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin /bin/bash -c "$1"
}
in_chroot 'export DEBIAN_FRONTEND=noninteractive; apt-get update -qq && apt-get install -y -qq git' \
    > "$logs/git.log" 2>&1 || {
    tail -n 20 "$logs/git.log" >&2
    exit 1
}
git clone -q --no-hardlinks "$repository" "$root/root/quillon"
git -C "$root/root/quillon" checkout -q --detach "$commit"
echo "check-fresh-release: $(in_chroot 'git --version'), clone of $commit in /root/quillon"

results=()
overall=0
for command in "bash scripts/run.sh" "bash scripts/test-all.sh"; do
    name=$(basename "${command#bash }" .sh)
    echo "check-fresh-release: running $command (output in $logs/$name.log)"
    start=$(date +%s.%N)
    status=0
    in_chroot "cd /root/quillon && $command" > "$logs/$name.log" 2>&1 || status=$?
    took=$(elapsed "$start")
    if (( status != 0 )); then
        tail -n 40 "$logs/$name.log"
        overall=1
    fi
    results+=("$command: exit code $status, $took")
done

program=$root/root/quillon/build/windows/quillon.exe
echo "check-fresh-release: Debian $release ($(cat "$root/etc/debian_version")), commit $commit"
for result in "${results[@]}"; do
    echo "  $result"
done
echo "  $(in_chroot 'dpkg-query -W -f "wine \${Version}, " wine64; dpkg-query -W -f "MinGW-w64 g++ \${Version}, " g++-mingw-w64-x86-64-posix; dpkg-query -W -f "clang \${Version}" clang' 2>/dev/null)"
if [[ -f $program ]]; then
    echo "  quillon.exe SHA-256 $(sha256sum "$program" | cut -d ' ' -f 1)"
else
    echo "  no quillon.exe was built"
    overall=1
fi
sed -n '/^Start-up benchmark (not a test):/,$p' "$logs/test-all.log"
exit $overall
