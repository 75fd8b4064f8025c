#!/usr/bin/env bash
# Builds Sorvane five ways and runs the tests of each: a normal build, an AddressSanitizer +
# UndefinedBehaviorSanitizer build, a ThreadSanitizer build of the multi-threaded code, a
# clang build of the fuzz targets, each of which runs for a short while as a test, and the
# release build that is installed and packaged (scripts/package.sh), with the checks of the
# installation and of the Debian package.
# Ends with one CTest summary line over all five runs.
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh || exit 1

total=0
failed=0
status=0

# Sanitizers stop at the first report so that a finding fails its test.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/tests/tsan.supp"
# Qt must not look for a display or a user's configuration in tests.
export QT_QPA_PLATFORM=offscreen

# A test that cannot run here says why; the reason is printed beside its name, so a skip is
# never mistaken for a pass.
print_skipped() {
    local log="$1/Testing/Temporary/LastTest.log"
    [ -f "$log" ] || return 0
    awk '
        /^[0-9]+\/[0-9]+ Test: / { test = $3 }
        /: Skipped$/ { getline reason; print "skipped: " test ": " reason }
        /^SKIP +: / { sub(/^SKIP +: /, ""); print "skipped: " test ": " $0 }
    ' "$log"
}

run_build() {
    local name=$1 dir=$2
    shift 2
    echo "== ${name} build =="
    mkdir -p "$dir"
    if ! cmake -S . -B "$dir" -G Ninja "$@" >"$dir/configure.log" 2>&1; then
        cat "$dir/configure.log"
        echo "configuring the ${name} build failed"
        status=1
        return
    fi
    if ! cmake --build "$dir" >"$dir/build.log" 2>&1; then
        tail -n 60 "$dir/build.log"
        echo "building the ${name} build failed"
        status=1
        return
    fi
    local log="$dir/ctest.log"
    ctest --test-dir "$dir" --output-on-failure --timeout 900 >"$log" 2>&1
    [ $? -eq 0 ] || status=1
    # The per-build summaries stay in the output; only the closing summary below ends it.
    grep -v -E '^Total Test time' "$log"
    local line
    line=$(grep -E '[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    if [ -z "$line" ]; then
        echo "the ${name} build ran no tests"
        status=1
        return
    fi
    print_skipped "$dir"
    total=$((total + $(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")))
    failed=$((failed + $(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")))
}

run_build normal build
run_build "address and undefined-behaviour sanitizer" build-asan -DSORVANE_SANITIZE=address
run_build "thread sanitizer" build-tsan -DSORVANE_SANITIZE=thread -DSORVANE_THREADED_TESTS_ONLY=ON
run_build fuzz build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DSORVANE_FUZZ=ON
# The same flags as scripts/package.sh, which its test runs again in this build tree.
source scripts/package-options.sh
run_build package build-package "${package_options[@]}"

[ "$failed" -eq 0 ] || status=1
passed=$((total - failed))
percent=0
[ "$total" -gt 0 ] && percent=$((passed * 100 / total))
echo
echo "== All builds =="
echo "${percent}% tests passed, ${failed} tests failed out of ${total}"
exit "$status"
