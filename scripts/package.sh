#!/usr/bin/env bash
# Installs the dependencies, builds Quilby into build/ and makes the Debian
# package there (build/quilby_<version>_<arch>.deb), then checks it with
# scripts/check-package.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
rm -f build/quilby_*.deb
(cd build && cpack -G DEB)
bash scripts/check-package.sh build/quilby_*.deb
