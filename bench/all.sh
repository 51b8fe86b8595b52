#!/usr/bin/env bash
# Runs, one after another in one go, every benchmark behind the performance
# table in bench/README.md, each against its own reference, and prints their
# figures with the machine's load before each. Build first (scripts/build.sh).
# --large adds the 1,000,000- and 2,000,000-product master imports (minutes).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=5
large=0
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs=$2; shift 2 ;;
        --large) large=1; shift ;;
        *) echo "usage: bench/all.sh [--runs N] [--large]" >&2; exit 2 ;;
    esac
done
bin=build/bin
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
run() {
    echo
    echo "== $* (load $(cut -d' ' -f1-3 /proc/loadavg))"
    "$@" 2>&1 | grep -v '^QStandardPaths'
}
run "$bin/bench_productlabels" --runs "$runs"
run "$bin/bench_purchase" --runs "$runs"
run "$bin/bench_customerlabels" --runs "$runs"
run "$bin/bench_counts"
run "$bin/bench_startup" --runs "$((runs * 4 + 1))"
run "$bin/bench_proofsheet" --labels 100000
if [ "$large" = 1 ]; then
    run "$bin/bench_productlabels" --runs 1 --products 1000000
    run "$bin/bench_productlabels" --runs 1 --products 2000000
fi
