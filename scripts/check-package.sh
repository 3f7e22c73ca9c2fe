#!/usr/bin/env bash
# Checks the two built Quilby packages: each holds its own files and none of
# the other's, quilby-key depends on nothing of Qt, the port helper links
# neither Qt nor libevdev, the metadata files validate, lintian finds no error
# and no hardening tag that is not overridden with a reason, and the programs
# run from the extracted tree. Then scripts/check-install.sh installs,
# upgrades, reconfigures and purges them in a throwaway root.
#
#   scripts/check-package.sh build/quilby-key_<v>_<arch>.deb build/quilby_<v>_<arch>.deb
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 QUILBY-KEY.deb QUILBY.deb" >&2; exit 2; }
key_deb="$(realpath "$1")"
gui_deb="$(realpath "$2")"
cd "$(dirname "$0")/.."
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "check-package: $*" >&2
  exit 1
}

[ "$(dpkg-deb -f "$key_deb" Package)" = quilby-key ] || fail "$key_deb is not the quilby-key package"
[ "$(dpkg-deb -f "$gui_deb" Package)" = quilby ] || fail "$gui_deb is not the quilby package"
version="$(dpkg-deb -f "$key_deb" Version)"
[ "$(dpkg-deb -f "$gui_deb" Version)" = "$version" ] || fail "the two packages have different versions"
for deb in "$key_deb" "$gui_deb"; do
  dpkg-deb --info "$deb" | sed -n '/Package:/,$p'
done

# Relations: quilby needs quilby-key of the same build; quilby-key takes over
# the files version 0.1.0's quilby held, and installs without Qt or X11.
key_depends="$(dpkg-deb -f "$key_deb" Depends)"
gui_depends="$(dpkg-deb -f "$gui_deb" Depends)"
if grep -Eiq 'qt6|libx11|libxcb|fonts-' <<<"$key_depends"; then
  fail "quilby-key depends on the desktop's libraries: $key_depends"
fi
grep -Fq "quilby-key (= $version)" <<<"$gui_depends" || fail "quilby does not depend on quilby-key (= $version)"
for field in Replaces Breaks; do
  [ "$(dpkg-deb -f "$key_deb" "$field")" = "quilby (<< 0.2.0)" ] ||
    fail "quilby-key's $field is not 'quilby (<< 0.2.0)'"
done

# Each package's files, extracted into one tree as they are installed.
root="$scratch/root"
dpkg-deb -x "$key_deb" "$root"
dpkg-deb -x "$gui_deb" "$root"
dpkg-deb -c "$key_deb" | awk '{print $6}' | sed 's|^\./|/|' >"$scratch/key.files"
dpkg-deb -c "$gui_deb" | awk '{print $6}' | sed 's|^\./|/|' >"$scratch/gui.files"
expect_in() {
  local list="$1"
  shift
  for f in "$@"; do
    grep -qxF "$f" "$scratch/$list.files" || fail "the $list package lacks $f"
  done
}
expect_not_in() {
  local list="$1"
  shift
  for f in "$@"; do
    if grep -qxF "$f" "$scratch/$list.files"; then fail "the $list package holds $f"; fi
  done
}
helper=/usr/libexec/quilby/quilby-port
expect_in key /usr/bin/quilby-key "$helper" /usr/share/quilby/Default.key /usr/share/quilby/MCR.OPN \
  /usr/share/quilby/quilby-table.schema.json /usr/share/man/man1/quilby-key.1.gz /usr/share/doc/quilby-key/copyright \
  /usr/share/doc/quilby-key/changelog.gz
expect_not_in key /usr/bin/quilby /usr/share/man/man1/quilby.1.gz /usr/share/applications/quilby.desktop
expect_in gui /usr/bin/quilby /usr/share/quilby/quilby-manual.html /usr/share/quilby/translations/quilby_en.qm \
  /usr/share/quilby/quilby-manual.en.html \
  /usr/share/quilby/pictures/ko/main-window.png /usr/share/quilby/pictures/ko/key-tester.png \
  /usr/share/quilby/pictures/en/main-window.png /usr/share/quilby/pictures/en/key-tester.png \
  /usr/share/applications/quilby.desktop /usr/share/metainfo/org.quilby.Quilby.metainfo.xml \
  /usr/share/icons/hicolor/scalable/apps/quilby.svg /usr/share/icons/hicolor/48x48/apps/quilby.png \
  /usr/share/man/man1/quilby.1.gz /usr/share/mime/packages/quilby.xml \
  /usr/share/doc/quilby/copyright /usr/share/doc/quilby/changelog.gz
expect_not_in gui /usr/bin/quilby-key "$helper" /usr/share/quilby/Default.key /usr/share/man/man1/quilby-key.1.gz
# The shipped files are the ones in the tree.
cmp "$root/usr/share/quilby/Default.key" data/Default.key
cmp "$root/usr/share/quilby/MCR.OPN" data/MCR.OPN
cmp "$root/usr/share/quilby/quilby-table.schema.json" data/quilby-table.schema.json

# The helper is the only file that will hold a capability, so it loads
# nothing it does not need: no Qt, no libevdev.
helper_libs="$(ldd "$root$helper")"
echo "$helper_libs"
if grep -Eiq 'libqt|libevdev' <<<"$helper_libs"; then
  fail "the port helper links Qt or libevdev"
fi
# The command-line tool runs on a till without Qt.
if ldd "$root/usr/bin/quilby-key" | grep -Eiq 'libqt'; then
  fail "quilby-key links Qt"
fi

desktop-file-validate "$root/usr/share/applications/quilby.desktop"
# The manual pages format without a single warning.
for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings="$(zcat "$page" | groff -man -ww -z 2>&1)"
  [ -z "$warnings" ] || fail "$page: $warnings"
done
appstreamcli validate --no-net "$root/usr/share/metainfo/org.quilby.Quilby.metainfo.xml"

# lintian: errors fail; warnings and information are shown for the reader.
# The hardening tags are information tags, so -I shows them: any that comes
# back, and any override of one that no longer matches, fails the check.
lintian -I --fail-on error --tag-display-limit 0 "$key_deb" "$gui_deb" | tee "$scratch/lintian.out"
if grep -E '^[EWIXP]: [^ ]+ hardening-' "$scratch/lintian.out"; then
  fail "lintian reports a hardening tag (see above); fix the build flags, or override a tag that cannot apply in packaging/debian/<package>/lintian-overrides with the reason"
fi
if grep -E '^[EWIXP]: [^ ]+ unused-override hardening-' "$scratch/lintian.out"; then
  fail "a hardening override no longer matches (see above): the tag it explains is gone, so delete the override"
fi

# The programs from the extracted tree: the helper answers --version, the
# command-line tool works on the shipped table, the desktop program starts
# on the offscreen platform with the simulated keyboard and stays up until
# it is stopped.
"$root$helper" --version
"$root/usr/bin/quilby-key" --help >/dev/null
"$root/usr/bin/quilby-key" check "$root/usr/share/quilby/Default.key"
(
  cd "$scratch"
  QT_QPA_PLATFORM=offscreen QUILBY_PORT=sim HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" \
    timeout --preserve-status -s TERM 5 "$root/usr/bin/quilby" "$root/usr/share/quilby/Default.key" \
    >"$scratch/quilby.out" 2>&1 && status=0 || status=$?
  cat "$scratch/quilby.out"
  # 143: still running when stopped after 5 seconds, as it should be.
  [ "$status" -eq 143 ] || fail "quilby ended by itself with status $status"
)

bash scripts/check-install.sh "$key_deb" "$gui_deb"

echo "package check passed: $key_deb $gui_deb"
