#!/usr/bin/env bash
# Installs what is needed, builds the recorder and runs every test, first in
# the ordinary build and then under the address and undefined-behaviour
# sanitizers; the device engine, whose audio runs on threads of its own, runs
# its tests a third time under the thread sanitizer (that preset builds only
# the engine's tests). Last the fuzz targets each run a short fixed count of
# inputs (scripts/fuzz.sh runs the long ones by hand). Under CI (CI=true)
# compiler warnings fail the build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
werror=OFF
[ -n "${CI:-}" ] && werror=ON
jobs=$(nproc)
for preset in ${SONDEX_TEST_PRESETS:-default asan tsan fuzz}; do
    if [ "$preset" = fuzz ]; then
        echo "=== fuzz targets"
        RUNS=${SONDEX_FUZZ_RUNS:-2000} MAX_TIME=60 SONDEX_WERROR="$werror" JOBS="$jobs" bash scripts/fuzz.sh
        continue
    fi
    echo "=== $preset build"
    cmake --preset "$preset" -DSONDEX_WERROR="$werror" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    echo "=== $preset tests"
    # Under the thread sanitizer the engine runs many times slower; one test at
    # a time keeps its sound server from being starved by the next test's.
    test_jobs=$jobs
    [ "$preset" = tsan ] && test_jobs=1
    ctest --preset "$preset" -j "$test_jobs"
done
