#!/usr/bin/env bash
# Installs the two Quilby packages in a throwaway root and checks what the
# maintainer scripts do: an upgrade from version 0.1.0 (whose quilby package
# held /usr/bin/quilby-key), the helper root:quilby 0750 with the capability
# and every other file without one, an account outside the group refused, an
# administrator's override kept over reconfigure and reinstall, a failing
# setcap reported without failing the installation, and remove and purge
# leaving nothing behind.
#
# The throwaway root is an overlay over / in a private mount namespace, its
# changes in memory: nothing reaches the real system, and the changes left
# after the purge are exactly what the packages would leave behind. Needs
# root (mount namespaces); run through sudo otherwise.
#
#   scripts/check-install.sh QUILBY-KEY.deb QUILBY.deb
set -euo pipefail

fail() {
  echo "check-install: $*" >&2
  exit 1
}
helper=/usr/libexec/quilby/quilby-port

# Inside the throwaway root: the steps a system goes through.
chrooted() {
  local dir=/tmp/quilby-check
  export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
  export DEBIAN_FRONTEND=noninteractive
  local version
  version="$(dpkg-deb -f "$dir/quilby-key.deb" Version)"

  ! getent group quilby >/dev/null || fail "this system already has a group quilby; the check needs one without"
  ! dpkg-query -W quilby quilby-key >/dev/null 2>&1 || fail "this system already has Quilby installed"

  echo "--- version 0.1.0, as shops have it"
  dpkg -i "$dir/quilby_0.1.0.deb" >/dev/null
  [ "$(dpkg -S /usr/bin/quilby-key | cut -d: -f1)" = quilby ] || fail "the old quilby does not hold /usr/bin/quilby-key"
  # Both old programs hold the capability, so the checks after the upgrade
  # show that it took it away.
  for f in /usr/bin/quilby /usr/bin/quilby-key; do
    getcap "$f" | grep -q cap_sys_rawio || fail "0.1.0 as built here gave $f no capability"
  done

  echo "--- upgrade to $version with dpkg, quilby-key unpacked first"
  # apt may unpack the new quilby first, which hides a missing Replaces;
  # dpkg in this order needs it to take the old package's files over.
  dpkg -i --auto-deconfigure "$dir/quilby-key.deb" "$dir/quilby.deb" >"$dir/dpkg-upgrade.out" 2>&1 ||
    { cat "$dir/dpkg-upgrade.out"; fail "dpkg could not upgrade 0.1.0 with quilby-key unpacked first"; }
  dpkg -P quilby quilby-key >/dev/null
  dpkg -i "$dir/quilby_0.1.0.deb" >/dev/null

  echo "--- upgrade to $version with apt, both packages"
  apt-get install -y "$dir/quilby-key.deb" "$dir/quilby.deb" >"$dir/upgrade.out" 2>&1 ||
    { cat "$dir/upgrade.out"; fail "the upgrade from 0.1.0 failed"; }
  for p in quilby quilby-key; do
    [ "$(dpkg-query -W -f '${Version} ${db:Status-Abbrev}' "$p")" = "$version ii " ] ||
      fail "$p is not installed at $version after the upgrade"
  done
  [ "$(dpkg -S /usr/bin/quilby-key | cut -d: -f1)" = quilby-key ] || fail "/usr/bin/quilby-key did not move to quilby-key"
  getent group quilby >/dev/null || fail "the group quilby was not created"
  [ "$(stat -c '%U:%G %a' "$helper")" = "root:quilby 750" ] ||
    fail "the helper is $(stat -c '%U:%G %a' "$helper"), not root:quilby 750"
  getcap "$helper" | grep -q 'cap_sys_rawio=ep' || fail "the helper lacks cap_sys_rawio=ep"
  # The helper alone holds a capability: none of the two packages' other
  # files, and no longer the programs 0.1.0 gave it to.
  dpkg -L quilby quilby-key | sort -u | while read -r f; do
    [ -f "$f" ] && [ "$f" != "$helper" ] || continue
    [ -z "$(getcap "$f")" ] || fail "$f holds a capability: $(getcap "$f")"
  done
  # And across the whole of /usr, listed or not: one Quilby file holds one.
  local held
  held="$(getcap -r /usr 2>/dev/null | grep quilby || true)"
  [ "$held" = "$helper cap_sys_rawio=ep" ] || fail "Quilby's capabilities under /usr after the upgrade: ${held:-none}"
  echo "Quilby's capabilities under /usr after the upgrade: $held"

  echo "--- who may run the helper"
  # Two accounts as a shop has them: the cashier's outside the group, an
  # operator's added as the manual pages say.
  adduser --quiet --system --no-create-home till-cashier
  adduser --quiet --system --no-create-home till-operator
  adduser --quiet till-operator quilby
  if runuser -u till-cashier -- "$helper" --version >/dev/null 2>&1; then
    fail "an account outside the group quilby ran the helper"
  fi
  runuser -u till-operator -- "$helper" --version >/dev/null ||
    fail "a member of the group quilby could not run the helper"
  # (deluser notes that cron is missing; nothing to clean up there.)
  deluser --quiet till-cashier 2>/dev/null
  deluser --quiet till-operator 2>/dev/null

  echo "--- an administrator's override"
  dpkg-statoverride --remove "$helper"
  dpkg-statoverride --update --add root adm 0750 "$helper"
  # The chown clears the capability, as the manual page warns ...
  [ -z "$(getcap "$helper")" ] || fail "changing the override kept the capability; the manual page says otherwise"
  # ... and reconfiguring gives it back, keeping the administrator's choice.
  if command -v dpkg-reconfigure >/dev/null; then
    dpkg-reconfigure quilby-key >/dev/null
  else
    /var/lib/dpkg/info/quilby-key.postinst configure "$version" >/dev/null
  fi
  [ "$(stat -c '%U:%G %a' "$helper")" = "root:adm 750" ] || fail "reconfiguring replaced the administrator's override"
  getcap "$helper" | grep -q 'cap_sys_rawio=ep' || fail "reconfiguring did not give the capability back"
  dpkg -i "$dir/quilby-key.deb" >/dev/null
  [ "$(stat -c '%U:%G %a' "$helper")" = "root:adm 750" ] || fail "a reinstall replaced the administrator's override"
  getcap "$helper" | grep -q 'cap_sys_rawio=ep' || fail "a reinstall left the helper without the capability"

  echo "--- a file system without capabilities"
  printf '#!/bin/sh\necho "Failed to set capabilities on file: Operation not supported" >&2\nexit 1\n' \
    >/usr/local/sbin/setcap
  chmod 755 /usr/local/sbin/setcap
  dpkg -i "$dir/quilby-key.deb" >"$dir/nocaps.out" 2>&1 || { cat "$dir/nocaps.out"; fail "a failing setcap failed the installation"; }
  rm /usr/local/sbin/setcap
  grep -q "could not give $helper the port permission" "$dir/nocaps.out" ||
    { cat "$dir/nocaps.out"; fail "postinst did not report the failed setcap"; }
  [ "$(dpkg-query -W -f '${db:Status-Abbrev}' quilby-key)" = "ii " ] || fail "quilby-key is not configured after a failing setcap"

  echo "--- remove, then purge"
  dpkg -r quilby quilby-key >/dev/null
  for f in /usr/bin/quilby /usr/bin/quilby-key /usr/libexec/quilby /usr/share/quilby /usr/share/doc/quilby-key; do
    [ ! -e "$f" ] || fail "$f is left after remove"
  done
  # A remove keeps the operators' group and the administrator's override for
  # a reinstall; the purge takes both.
  getent group quilby >/dev/null || fail "remove took the group quilby; only purge may"
  # quilby has nothing to purge: its remove was already complete.
  [ "$(dpkg-query -W -f '${db:Status-Abbrev}' quilby 2>/dev/null)" != "rc " ] || fail "quilby keeps files after remove"
  dpkg -P quilby-key >/dev/null
  ! getent group quilby >/dev/null || fail "the group quilby is left after purge"
  ! dpkg-statoverride --list "$helper" >/dev/null || fail "the helper's override is left after purge"
  ! dpkg-query -W quilby quilby-key >/dev/null 2>&1 || fail "dpkg still knows the packages after purge"
}

# In the private mount namespace: build the throwaway root, run the steps in
# it, then compare what is left with the real system.
throwaway_root() {
  local scratch="$1" self="$2"
  local layer="$scratch/layer" merged="$scratch/merged"
  mkdir -p "$layer" "$merged"
  mount -t tmpfs tmpfs "$layer"
  mkdir "$layer/upper" "$layer/work"
  mount -t overlay overlay -o "lowerdir=/,upperdir=$layer/upper,workdir=$layer/work" "$merged"
  mount --rbind /dev "$merged/dev"
  mount -t proc proc "$merged/proc"
  mkdir -p "$merged/tmp/quilby-check"
  mount --bind "$scratch/debs" "$merged/tmp/quilby-check"
  cp "$self" "$merged/tmp/quilby-check/check-install.sh"
  chroot "$merged" bash /tmp/quilby-check/check-install.sh --chrooted
  umount "$merged/tmp/quilby-check"

  echo "--- nothing left behind"
  # The accounts and the overrides are back as they were.
  for f in /etc/group /etc/gshadow /etc/passwd /var/lib/dpkg/statoverride; do
    if [ -e "$f" ] || [ -e "$merged$f" ]; then
      cmp -s "$f" "$merged$f" || fail "$f differs from before the installation"
    fi
  done
  # No file or folder of Quilby's survives; dpkg's own records and logs and
  # the scratch folder aside.
  left="$(cd "$layer/upper" && find . -path '*quilby*' \
    ! -path './tmp/*' ! -path './var/lib/dpkg/*' ! -path './var/log/*' ! -path './var/cache/*' \
    ! -path './var/lib/apt/*' ! -type c)"
  [ -z "$left" ] || fail "left behind after purge: $left"
}

if [ "${1:-}" = "--chrooted" ]; then
  chrooted
  exit 0
fi
if [ "${1:-}" = "--throwaway-root" ]; then
  throwaway_root "$2" "$3"
  exit 0
fi

[ $# -eq 2 ] || { echo "usage: $0 QUILBY-KEY.deb QUILBY.deb" >&2; exit 2; }
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || fail "needs root to build the throwaway root"
  exec sudo bash "$0" "$@"
fi
self="$(realpath "$0")"
key_deb="$(realpath "$1")"
gui_deb="$(realpath "$2")"
cd "$(dirname "$0")/.."
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# Version 0.1.0's quilby package in the shape it shipped: both programs in
# /usr/bin, both given the capability by its postinst, the data and both
# manual pages in the one package.
old="$scratch/old"
mkdir -p "$old/DEBIAN" "$old/usr/bin" "$old/usr/share/quilby" "$old/usr/share/man/man1" \
  "$old/usr/share/doc/quilby"
for program in quilby quilby-key; do
  printf '#!/bin/sh\necho "%s 0.1.0"\n' "$program" >"$old/usr/bin/$program"
  chmod 755 "$old/usr/bin/$program"
  gzip -9n <"packaging/man/$program.1" >"$old/usr/share/man/man1/$program.1.gz"
done
cp data/Default.key data/MCR.OPN "$old/usr/share/quilby/"
cp packaging/debian/copyright "$old/usr/share/doc/quilby/"
cat >"$old/DEBIAN/control" <<EOF
Package: quilby
Version: 0.1.0
Architecture: $(dpkg --print-architecture)
Maintainer: Quilby developers <quilby@example.org>
Section: utils
Priority: optional
Description: program the key table of a PC-attached POS keyboard
 Version 0.1.0 as it shipped: one package, both programs with CAP_SYS_RAWIO.
EOF
printf '#!/bin/sh\nset -e\n[ "$1" = configure ] || exit 0\nsetcap cap_sys_rawio+ep /usr/bin/quilby || true\nsetcap cap_sys_rawio+ep /usr/bin/quilby-key || true\n' \
  >"$old/DEBIAN/postinst"
chmod 755 "$old/DEBIAN/postinst"
mkdir "$scratch/debs"
dpkg-deb --root-owner-group --build "$old" "$scratch/debs/quilby_0.1.0.deb" >/dev/null
cp "$key_deb" "$scratch/debs/quilby-key.deb"
cp "$gui_deb" "$scratch/debs/quilby.deb"

unshare --mount --propagation private bash "$self" --throwaway-root "$scratch" "$self"
echo "install check passed: upgrade from 0.1.0, permissions, override, no capabilities, remove and purge"
