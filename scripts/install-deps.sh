#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing, packaging and running
# need (xdg-utils opens the help page and documents with the desktop's viewer;
# dpkg-dev and desktop-file-utils make and check the Debian package), when any
# is missing (qt6-translations-l10n puts Qt's own dialogs in Chinese; strace lets a test count the syncs of an import; libzint draws
# the proofs' barcodes, which zbarimg reads back from pages pdftoppm renders). Must run as root
# on a fresh machine. --bench adds what
# the benchmarks compare against.
set -euo pipefail
packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
    libcurl4-openssl-dev libshp-dev libcpp-httplib-dev libsqlite3-dev sqlite3 libzstd-dev
    googletest libgtest-dev libgmock-dev
    fonts-arphic-ukai fonts-arphic-uming fonts-dejavu-core
    xvfb xauth x11-utils imagemagick xdg-utils strace
    dpkg-dev desktop-file-utils
    libzint-dev zbar-tools poppler-utils
)
# ogr2ogr, only for the comparison in the product label benchmark (bench/README.md).
if [ "${1:-}" = "--bench" ]; then
    packages+=(gdal-bin)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi
