#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer) in
# build-fuzz and runs every target for the given number of seconds (default 600) on a copy of its
# seed corpus in fuzz/corpus/<target>/, the targets side by side. Prints one line per target:
# executions and findings. Exits non-zero when a target found anything.
# Usage: scripts/fuzz.sh [seconds]
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-600}
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "fuzz.sh: the duration must be a whole number of seconds, not '${seconds}'" >&2
    exit 2
fi

bash scripts/install-deps.sh || exit 1

mkdir -p build-fuzz
if ! cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DSORVANE_FUZZ=ON \
    >build-fuzz/configure.log 2>&1; then
    cat build-fuzz/configure.log
    exit 1
fi
if ! cmake --build build-fuzz >build-fuzz/build.log 2>&1; then
    tail -n 60 build-fuzz/build.log
    exit 1
fi

# Sanitizers stop at the first report, so that it becomes a finding.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

pids=()
targets=()
for corpus in fuzz/corpus/*/; do
    target=$(basename "$corpus")
    targets+=("$target")
    bash fuzz/run-target.sh "build-fuzz/fuzz/${target}" "$corpus" "$seconds" \
        >"build-fuzz/${target}.out" 2>&1 &
    pids+=($!)
done
status=0
for i in "${!pids[@]}"; do
    wait "${pids[$i]}" || status=1
    cat "build-fuzz/${targets[$i]}.out"
done
exit "$status"
