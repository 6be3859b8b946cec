#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and fuzzes each for a bounded time.
# New inputs go to a working corpus per target in the build folder; the seeds in
# fuzz/corpus/<target> stay as they are. A crash leaves its input in the build folder and
# fails.
#
#   scripts/run-fuzz.sh [build folder] [target...]
#   FUZZ_SECONDS per target (default 300), FUZZ_JOBS (default 1)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/fuzz}
shift || true
seconds=${FUZZ_SECONDS:-300}
jobs=${FUZZ_JOBS:-1}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DZU_SANITIZE=ON -DZU_BUILD_FUZZ=ON \
    -DZU_BUILD_TESTS=OFF -DZU_BUILD_DEMO=OFF

# Each target with its dictionary and longest input, as the build lists them.
declare -A dictionaries=() lengths=()
known=()
while read -r name dictionary length; do
    dictionaries[$name]=$dictionary
    lengths[$name]=$length
    known+=("$name")
done < "$build/fuzz/fuzz-targets.txt"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=("${known[@]}")
fi

for target in "${targets[@]}"; do
    if [ -z "${dictionaries[$target]:-}" ]; then
        echo "run-fuzz: no fuzz target '$target' (known: ${known[*]})" >&2
        exit 2
    fi
    cmake --build "$build" -j"$(nproc)" --target "zugui_${target}_fuzz"
done

parallel=()
if [ "$jobs" -gt 1 ]; then
    parallel=(-jobs="$jobs" -workers="$jobs")
fi

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
    work="$build/fuzz-corpus/$target"
    artifacts="$build/fuzz-artifacts/$target/"
    mkdir -p "$work" "$artifacts"
    echo "run-fuzz: $target for $seconds s"
    (cd "$build" && "$build/fuzz/zugui_${target}_fuzz" "$work" "$root/fuzz/corpus/$target" \
        -dict="$root/fuzz/${dictionaries[$target]}" -max_total_time="$seconds" \
        -max_len="${lengths[$target]}" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$artifacts" -print_final_stats=1 "${parallel[@]}")
done
