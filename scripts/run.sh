#!/usr/bin/env bash
# Installs what is missing, builds, and runs barlabel against the demo back office.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
echo "barlabel is built in build/; the demo back office and the program follow in later steps."
