#!/usr/bin/env bash
# Installs the dependencies, builds Quilby into build/ and makes the two
# Debian packages there (build/quilby-key_<version>_<arch>.deb and
# build/quilby_<version>_<arch>.deb), then checks them with
# scripts/check-package.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
rm -f build/quilby_*.deb build/quilby-key_*.deb
(cd build && cpack -G DEB)
bash scripts/check-package.sh build/quilby-key_*.deb build/quilby_*.deb
