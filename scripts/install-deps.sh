#!/usr/bin/env bash
# Installs everything Quilby needs to build, run and test on Debian 12. The
# virtual-PC tests (tests/vm) fetch Debian's kernel package themselves with
# apt-get download into the build tree; it is never installed.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends \
  build-essential cmake ninja-build pkg-config clang-format git \
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6printsupport6 libqt6test6 \
  libx11-dev libgl-dev libevdev-dev \
  libgtest-dev libgmock-dev libbenchmark-dev \
  fonts-nanum fontconfig xdg-utils qt6-translations-l10n qt6-l10n-tools qt6-tools-dev \
  xvfb xauth xdotool imagemagick poppler-utils libxtst-dev \
  clang libclang-rt-14-dev \
  lintian desktop-file-utils appstream libcap2-bin groff-base adduser \
  qemu-system-x86 busybox-static xz-utils
