#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UBSan) into
# build-fuzz/ and runs each for SECONDS (default 60), starting from the seeds
# in fuzz/corpus/<target> and the inputs earlier runs kept in
# build-fuzz/corpus/<target>. Name targets to run only those (reply_walk,
# dbf_table, ini_text, big5, label_file). Stops with a non-zero status at the
# first finding, whose input is left in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(reply_walk dbf_table ini_text big5 label_file)
fi

if ! command -v clang++ >/dev/null; then
    echo "installing: clang"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends clang
fi
# libFuzzer and the sanitizer runtimes come with clang's version-numbered runtime package.
major="$(clang++ -dumpversion | cut -d. -f1)"
runtime="libclang-rt-${major}-dev"
if ! dpkg-query -W -f='${Status}' "$runtime" 2>/dev/null | grep -q "install ok installed"; then
    echo "installing: $runtime"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "$runtime"
fi
scripts/install-deps.sh

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBARLABEL_FUZZ=ON -DBARLABEL_TESTS=OFF -DBARLABEL_BENCH=OFF
cmake --build build-fuzz --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}"

mkdir -p build-fuzz/findings
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
for target in "${targets[@]}"; do
    mkdir -p "build-fuzz/corpus/$target"
    echo "== $target: ${seconds} s"
    log="build-fuzz/findings/$target.log"
    if ! "build-fuzz/bin/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="build-fuzz/findings/$target-" "build-fuzz/corpus/$target" "fuzz/corpus/$target" \
        >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "finding in $target: see $log and build-fuzz/findings/$target-*" >&2
        exit 1
    fi
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
    echo "$target: $runs runs in $seconds s ($((runs / seconds)) per second)"
done
