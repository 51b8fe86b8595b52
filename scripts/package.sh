#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package of barlabel
# in build/ (barlabel_VERSION_ARCH.deb); install it with apt-get install ./FILE.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
cd build
cpack -G DEB
