#!/usr/bin/env bash
# Measures Sorvane's folder walk, removal and search against du, find and rm -rf on generated
# trees in one run and prints the ratios (ours / theirs; below 1 means faster). Timings are
# medians of several runs. Needs a normal (not sanitizer) build with benchmarks.
#
#   bash bench/ratios.sh [BUILD_DIR]      (default: build)
#
# Run as root to include the cold-cache ratio (the page cache is dropped before each run).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
bench="$build/bench/folder_size_benchmark"
generator="$build/tools/sorvane-sample-home"
cli="$build/cli/sorvane-cli"
tree_bench="$build/bench/result_tree_benchmark"
stall_bench="$build/bench/ui_stall"
expansion_bench="$build/bench/expansion_benchmark"
for tool in "$bench" "$generator" "$cli" "$tree_bench" "$stall_bench" "$expansion_bench"; do
    [ -x "$tool" ] || { echo "ratios.sh: $tool is missing; build $build first" >&2; exit 2; }
done

# Homes two levels deep, as the home-folder rule wants.
home=$(mktemp -d /tmp/sorvane-bench-home-XXXXXX)
root=$(mktemp -d /tmp/sorvane-bench-root-XXXXXX)
removal=$(mktemp -d /tmp/sorvane-bench-remove-XXXXXX)
desktop=$(mktemp -d /tmp/sorvane-bench-desktop-XXXXXX)
large=$(mktemp -d /tmp/sorvane-bench-large-XXXXXX)
cleanup() { rm -rf "$home" "$root" "$removal" "$removal.copy" "$desktop" "$large"; }
trap cleanup EXIT

echo "Generating a 300,000-file sample home and a removal tree..."
"$generator" --home "$home" --root "$root" --files 300000 --seed 1 >/dev/null
"$generator" --home "$removal/tree" --root "$removal/root" --files 150000 --seed 2 >/dev/null
rm -rf "$removal/root"
"$generator" --layout freedesktop --home "$desktop/home" --root "$desktop/root" --files 300000 \
    --seed 1 >/dev/null
home_entries=$(find "$home" -mindepth 1 | wc -l)
desktop_entries=$(find "$desktop/home" -mindepth 1 | wc -l)
removal_entries=$(find "$removal/tree" -mindepth 1 | wc -l)

# Median wall-clock time in ms of each benchmark (children such as du included), from Google Benchmark's CSV aggregates.
medians() {
    "${program:-$bench}" --benchmark_filter="$1" --benchmark_repetitions="$2" \
        --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
        awk -F, '$1 ~ /_median"?$/ { gsub(/"/, "", $1); sub(/_median$/, "", $1); print $1, $3 }'
}
value() { awk -v name="$1" '$1 ~ "^"name"(/|$)" { print $2; exit }' <<<"$2"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }

# Median wall time in ms of a shell command run five times.
time_command() {
    local runs=()
    for _ in 1 2 3 4 5; do
        local start end
        start=$(date +%s%N)
        eval "$1" >/dev/null 2>&1
        end=$(date +%s%N)
        runs+=($(((end - start) / 1000000)))
    done
    printf '%s\n' "${runs[@]}" | sort -n | sed -n 3p
}

export SORVANE_BENCH_TREE="$home" SORVANE_BENCH_REMOVE="$removal/tree"
echo "Warm-cache walks..."
warm=$(medians 'folderSize|duApparentSize|findPrintfSize|smallFolders' 5)
cold=""
if [ "$(id -u)" -eq 0 ] && [ -w /proc/sys/vm/drop_caches ]; then
    echo "Cold-cache walks..."
    cold=$(SORVANE_BENCH_COLD=1 medians 'folderSize|duApparentSize' 3)
fi
echo "Removals..."
removals=$(medians 'removeTree|rmRecursive' 3)
echo "Search..."
scan_ms=$(time_command "'$cli' scan --json --home '$home' --root '$root'")
du_ms=$(time_command "du --apparent-size -s -B1 '$home'")
desktop_scan_ms=$(time_command \
    "'$cli' scan --json --layout freedesktop --home '$desktop/home' --root '$desktop/root'")
desktop_du_ms=$(time_command "du --apparent-size -s -B1 '$desktop/home'")
echo "Result tree and selection..."
tree=$(SORVANE_BENCH_HOME="$home" SORVANE_BENCH_ROOT="$root" program="$tree_bench" \
    medians 'searchAndResultTree|duHome|selectAllAndSummary|selectionMeasurement' 3)
peak_kib=n/a
echo "Main-thread stalls on a 1,000,000-file home, and a 50,000-item category in the window..."
"$generator" --home "$large/home" --root "$large/root" --files 1000000 --seed 3 >/dev/null
stalls=$(SORVANE_BENCH_HOME="$large/home" SORVANE_BENCH_ROOT="$large/root" "$stall_bench" 2>/dev/null)
rm -rf "$large"
expansion=$("$expansion_bench" 2>/dev/null)
if [ -x /usr/bin/time ]; then
    /usr/bin/time -o "$removal/peak" -f '%M' "$cli" scan --json --home "$home" --root "$root" >/dev/null 2>&1
    peak_kib=$(tail -n 1 "$removal/peak")
fi

echo
echo "Sample home: $home_entries entries; freedesktop sample home: $desktop_entries entries;" \
    "removal tree: $removal_entries entries; $(nproc) cores"
printf '%-62s %8s  %s\n' "measure" "ratio" "goal"
printf '%-62s %8s  %s\n' "folder size, warm cache / du --apparent-size -s -B1" \
    "$(ratio "$(value folderSize "$warm")" "$(value duApparentSize "$warm")")" "<= 0.5"
printf '%-62s %8s  %s\n' "folder size, warm cache / find -printf '%s'" \
    "$(ratio "$(value folderSize "$warm")" "$(value findPrintfSize "$warm")")" "-"
if [ -n "$cold" ]; then
    printf '%-62s %8s  %s\n' "folder size, cold cache / du" \
        "$(ratio "$(value folderSize "$cold")" "$(value duApparentSize "$cold")")" "<= 0.45"
else
    printf '%-62s %8s  %s\n' "folder size, cold cache / du (needs root)" "skipped" "<= 0.45"
fi
printf '%-62s %8s  %s\n' "20,000 small folders one by one / plain single-threaded walk" \
    "$(ratio "$(value smallFoldersOneByOne "$warm")" "$(value smallFoldersPlainWalk "$warm")")" "<= 1.1"
printf '%-62s %8s  %s\n' "removing the tree / rm -rf" \
    "$(ratio "$(value removeTree "$removals")" "$(value rmRecursive "$removals")")" "<= 0.35"
printf '%-62s %8s  %s\n' "full search, every item measured (scan --json) / du of home" \
    "$(ratio "$scan_ms" "$du_ms")" "<= 0.6"
printf '%-62s %8s  %s\n' "freedesktop home: scan --json / du of home" \
    "$(ratio "$desktop_scan_ms" "$desktop_du_ms")" "<= 0.6"
printf '%-62s %8s  %s\n' "full search plus result tree / du of home" \
    "$(ratio "$(value searchAndResultTree "$tree")" "$(value duHome "$tree")")" "<= 1.5"
printf '%-62s %8s  %s\n' "select all plus its summary / one measurement of the selection" \
    "$(ratio "$(value selectAllAndSummary "$tree")" "$(value selectionMeasurement "$tree")")" "<= 1.5"
printf '%-62s %8s  %s\n' "peak resident size of scan --json (MiB)" \
    "$(awk -v k="$peak_kib" 'BEGIN { if (k ~ /^[0-9]+$/) printf "%.1f", k / 1024; else print k }')" "< 150"
echo
echo "Main thread (goal: no stall above 50 ms) and the window (goal: <= 100 ms to open):"
printf '%s\n' "$stalls" "$expansion"
