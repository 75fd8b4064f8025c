#!/usr/bin/env bash
# Runs one fuzz target for a number of seconds on a copy of its seed corpus, so that the inputs
# it discovers never land in the repository, and prints one line: executions and findings.
# Exits non-zero when the target found anything.
# Usage: run-target.sh <target binary> <seed corpus folder> <seconds>
set -uo pipefail

target=$1
seeds=$2
seconds=$3
name=$(basename "$target")

work=$(mktemp -d "${TMPDIR:-/tmp}/sorvane-fuzz-${name}-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$work/findings"
cp "$seeds"/* "$work/corpus/"

# Findings are written as crash-, leak-, timeout- and oom- files into the findings folder.
"$target" -max_total_time="$seconds" -timeout=10 -max_len=65536 -print_final_stats=1 \
    -artifact_prefix="$work/findings/" "$work/corpus" >"$work/log" 2>&1
status=$?

executions=$(grep -E '^stat::number_of_executed_units:' "$work/log" | tail -n 1 | awk '{print $2}')
findings=$(find "$work/findings" -type f | wc -l)
echo "${name}: ${executions:-0} executions in ${seconds} s, ${findings} findings"
if [ "$status" -ne 0 ] || [ "$findings" -ne 0 ]; then
    # The report of what went wrong, and the inputs that did it, kept for a look.
    tail -n 60 "$work/log"
    kept="${TMPDIR:-/tmp}/sorvane-fuzz-findings-${name}"
    mkdir -p "$kept" && cp "$work/findings"/* "$kept"/ 2>/dev/null
    echo "${name}: inputs kept in ${kept}"
    exit 1
fi
