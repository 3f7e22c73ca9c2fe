#!/usr/bin/env bash
# Checks a built Quilby package without installing it: the metadata files
# validate, lintian finds no error, and both programs run from the extracted
# tree and find their shipped files there.
set -euo pipefail
deb="$(realpath "$1")"
cd "$(dirname "$0")/.."
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

dpkg-deb --info "$deb" | sed -n '/Package:/,$p'
dpkg-deb -x "$deb" "$scratch/root"
root="$scratch/root"

expect_file() {
  [ -f "$root$1" ] || { echo "package lacks $1" >&2; exit 1; }
}
for f in /usr/bin/quilby /usr/bin/quilby-key /usr/share/quilby/quilby-manual.html \
         /usr/share/quilby/Default.key /usr/share/quilby/MCR.OPN \
         /usr/share/applications/quilby.desktop /usr/share/metainfo/org.quilby.Quilby.metainfo.xml \
         /usr/share/icons/hicolor/scalable/apps/quilby.svg /usr/share/icons/hicolor/48x48/apps/quilby.png \
         /usr/share/man/man1/quilby.1.gz /usr/share/man/man1/quilby-key.1.gz \
         /usr/share/mime/packages/quilby.xml /usr/share/doc/quilby/copyright; do
  expect_file "$f"
done
# The shipped files are the ones in the tree.
cmp "$root/usr/share/quilby/Default.key" data/Default.key
cmp "$root/usr/share/quilby/MCR.OPN" data/MCR.OPN

desktop-file-validate "$root/usr/share/applications/quilby.desktop"
# The manual pages format without a single warning.
for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings="$(zcat "$page" | groff -man -ww -z 2>&1)"
  [ -z "$warnings" ] || { echo "$page: $warnings" >&2; exit 1; }
done
appstreamcli validate --no-net "$root/usr/share/metainfo/org.quilby.Quilby.metainfo.xml"
# Errors fail; warnings and information are shown for the reader.
lintian --fail-on error --no-tag-display-limit "$deb"

# Both programs from the extracted tree: the command-line tool works on the
# shipped table, the desktop program starts on the offscreen platform with
# the simulated keyboard and stays up until it is stopped.
"$root/usr/bin/quilby-key" --help >/dev/null
"$root/usr/bin/quilby-key" check "$root/usr/share/quilby/Default.key"
(
  cd "$scratch"
  QT_QPA_PLATFORM=offscreen QUILBY_PORT=sim HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" \
    timeout --preserve-status -s TERM 5 "$root/usr/bin/quilby" "$root/usr/share/quilby/Default.key" \
    >"$scratch/quilby.out" 2>&1 && status=0 || status=$?
  cat "$scratch/quilby.out"
  # 143: still running when stopped after 5 seconds, as it should be.
  if [ "$status" -ne 143 ]; then
    echo "quilby ended by itself with status $status" >&2
    exit 1
  fi
)
# postinst: a setcap that fails (a file system without capabilities) is
# reported and does not fail the installation. Run on a copy of the program's
# path in the scratch folder, never on the system's files.
dpkg-deb -e "$deb" "$scratch/control"
mkdir -p "$scratch/fakebin"
printf '#!/bin/sh\necho "Operation not supported" >&2\nexit 1\n' >"$scratch/fakebin/setcap"
chmod +x "$scratch/fakebin/setcap"
sed "s|/usr/bin/quilby|$root/usr/bin/quilby|" "$scratch/control/postinst" >"$scratch/postinst"
PATH="$scratch/fakebin:$PATH" sh "$scratch/postinst" configure 2>"$scratch/postinst.err"
grep -q "could not give .* the port permission" "$scratch/postinst.err" ||
  { echo "postinst did not report the failed setcap" >&2; exit 1; }

echo "package check passed: $deb"
