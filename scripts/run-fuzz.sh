#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and fuzzes the rich text markup for a
# bounded time. New inputs go to a working corpus in the build folder; the seeds in
# fuzz/corpus stay as they are. A crash leaves its input in the build folder and fails.
#
#   scripts/run-fuzz.sh [build folder]     FUZZ_SECONDS (default 300), FUZZ_JOBS (default 1)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/fuzz}
seconds=${FUZZ_SECONDS:-300}
jobs=${FUZZ_JOBS:-1}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DZU_SANITIZE=ON -DZU_BUILD_FUZZ=ON \
    -DZU_BUILD_TESTS=OFF -DZU_BUILD_DEMO=OFF
cmake --build "$build" -j"$(nproc)" --target zugui_richtext_fuzz

parallel=()
if [ "$jobs" -gt 1 ]; then
    parallel=(-jobs="$jobs" -workers="$jobs")
fi

work="$build/fuzz-corpus/richtext"
artifacts="$build/fuzz-artifacts/"
mkdir -p "$work" "$artifacts"
cd "$build"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$build/fuzz/zugui_richtext_fuzz" "$work" "$root/fuzz/corpus" \
    -dict="$root/fuzz/markup.dict" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -rss_limit_mb=2048 -artifact_prefix="$artifacts" -print_final_stats=1 "${parallel[@]}"
