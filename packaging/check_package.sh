#!/usr/bin/env bash
# Installs the Debian package on a bare Debian 12 (bookworm) and runs it there: a minimal
# system made with debootstrap from the Debian mirror this machine's apt uses, entered with
# chroot in a mount and process namespace of its own, so nothing of this machine's libraries
# is seen. The package comes in with apt, which has to find every library it depends on.
# Needs root, debootstrap and the network to the mirror.
# usage: check_package.sh PACKAGE.deb WORK_DIR
# WORK_DIR keeps the bare system's archive (debian12-base.tar), so later runs skip
# debootstrap, and the last run's log (check.log). MIRROR overrides the mirror.
set -euo pipefail
deb=$(realpath "$1")
work=$(realpath -m "$2")
[ "$(id -u)" -eq 0 ] || { echo "check_package.sh needs root (chroot, mounts)" >&2; exit 1; }
command -v debootstrap >/dev/null || { echo "check_package.sh needs debootstrap" >&2; exit 1; }

# The first Debian archive (not the security one) that apt's sources name.
host_mirror() {
  { grep -hoE '^URIs:.*' /etc/apt/sources.list.d/*.sources 2>/dev/null | sed 's/^URIs://' | tr ' ' '\n'
    grep -hoE '^deb +(\[[^]]*\] +)?[^ ]+' /etc/apt/sources.list 2>/dev/null | awk '{print $NF}'
  } | grep -E '^https?://' | grep -v security | head -n 1
}
mirror=${MIRROR:-$(host_mirror || true)}
mirror=${mirror:-http://deb.debian.org/debian}

mkdir -p "$work"
base="$work/debian12-base.tar"
if [ ! -f "$base" ]; then
  echo "+ debootstrap --variant=minbase bookworm $work/base $mirror"
  rm -rf "$work/base"
  debootstrap --variant=minbase bookworm "$work/base" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -n 20 "$work/debootstrap.log" >&2; exit 1; }
  tar -C "$work/base" -cf "$base.part" . && mv "$base.part" "$base"
  rm -rf "$work/base"
fi

root="$work/root"
rm -rf "$root"
mkdir -p "$root"
tar -C "$root" -xf "$base"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/tzad.deb"

# What runs inside: each command is echoed with its output, as a person would see it.
cat >"$root/tmp/check.sh" <<'EOF'
set -eu
run() { printf '# %s\n' "$*"; "$@"; }
export DEBIAN_FRONTEND=noninteractive
unset DISPLAY WAYLAND_DISPLAY
. /etc/os-release && echo "# system: $PRETTY_NAME, $(dpkg-query -W -f '.\n' | wc -l) packages"
run apt-get update -qq
echo "# apt-get install -y --no-install-recommends /tmp/tzad.deb"
apt-get install -y --no-install-recommends /tmp/tzad.deb >/tmp/apt.log 2>&1 ||
  { cat /tmp/apt.log; exit 1; }
grep -E '^[0-9]+ upgraded' /tmp/apt.log
run dpkg-query -W -f '${Package} ${Version} ${Status}\n' tzad
run tzad --version
mkdir -p /tmp/session && cd /tmp/session
cp /usr/share/tzad/samples/site_plan.dxf plan.dxf
printf '%s\n' HELP -HYPERLINK i o 91 '' https://example.com/site '' 'Site page' LIST 91 '' SAVE \
  EXPORTPDF '' All '' >session.scr
echo "# tzad --lang en --script session.scr plan.dxf   (HELP, -HYPERLINK on 91, LIST 91, SAVE," \
  "EXPORTPDF of all layouts)"
tzad --lang en --script session.scr plan.dxf >transcript.txt 2>&1 || { cat transcript.txt; exit 1; }
grep -E 'HYPERLINK|Hyperlink:|Description:|Saved|Exported' transcript.txt
grep -q 'Exported 3 page(s) with 8 hyperlink(s) to /tmp/session/plan.pdf' transcript.txt
run dpkg-query -W -f '${Package} ${Status}\n' fonts-droid-fallback
grep -q 'Hyperlink: https://example.com/site' transcript.txt
! grep -qi 'error' transcript.txt
run tzdxfinfo plan.dxf | grep -i -m1 'example.com/site'
# With the desktop's MIME database and menu cache, DXF files open in tzad.
echo "# apt-get install -y --no-install-recommends shared-mime-info desktop-file-utils"
apt-get install -y -qq --no-install-recommends shared-mime-info desktop-file-utils >/dev/null 2>&1
run grep -E '^image/vnd.dxf=' /usr/share/applications/mimeinfo.cache
grep -qE '^image/vnd.dxf=.*tzad.desktop' /usr/share/applications/mimeinfo.cache
run grep -E 'dxf' /usr/share/mime/aliases
run apt-get purge -y -qq tzad >/dev/null
test ! -e /usr/bin/tzad && test ! -e /usr/lib/tzad
echo "# tzad installed, ran and was removed on $PRETTY_NAME"
EOF

# /proc and /dev are mounted in the namespace only, and go with it.
echo "+ unshare --mount --pid --fork chroot $root /bin/sh /tmp/check.sh"
status=0
unshare --mount --pid --fork /bin/sh -c '
  set -e
  mount --make-rprivate /
  mount -t proc proc "$1/proc"
  mount --rbind /dev "$1/dev"
  exec chroot "$1" /bin/sh /tmp/check.sh' sh "$root" 2>&1 | tee "$work/check.log" || status=$?
if mountpoint -q "$root/dev" || mountpoint -q "$root/proc"; then
  echo "$root still has /dev or /proc mounted; left in place" >&2
  exit 1
fi
rm -rf "$root"
exit "$status"
