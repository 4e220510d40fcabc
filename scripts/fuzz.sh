#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target (or those named) for
# RUNS inputs each, starting from its corpus in fuzz/corpus/<target>/. New
# inputs the fuzzer finds go to build/fuzz/corpus/<target>/, crashes, leaks
# and hangs to build/fuzz/findings/<target>/; the script fails on the first
# target that finds one. See docs/fuzzing.md.
#   RUNS=1000000 (default) inputs per target; MAX_TIME=3600 seconds at most per target.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-1000000}
max_time=${MAX_TIME:-3600}
cmake --preset fuzz -DSONDEX_WERROR="${SONDEX_WERROR:-OFF}" >/dev/null
cmake --build --preset fuzz -j "${JOBS:-$(nproc)}"

dictionary() {
    case $1 in
        fuzz_settings | fuzz_cd_ini) echo fuzz/dict/ini.dict ;;
        fuzz_wav_inspector | fuzz_wav_header | fuzz_leftover) echo fuzz/dict/wav.dict ;;
        *) [ -f "fuzz/dict/$1.dict" ] && echo "fuzz/dict/$1.dict" ;;
    esac
    return 0
}

targets=("$@")
[ ${#targets[@]} -eq 0 ] && mapfile -t targets < <(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')
# The targets use Qt without a display; those that read files write each
# input to a scratch folder, in memory where the machine has /dev/shm.
export QT_QPA_PLATFORM=offscreen
[ -z "${TMPDIR:-}" ] && [ -w /dev/shm ] && export TMPDIR=/dev/shm
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
# Leaks inside the system libraries we call, which we cannot fix (see the file).
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/fuzz/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
for target in "${targets[@]}"; do
    found=build/fuzz/corpus/$target
    findings=build/fuzz/findings/$target
    mkdir -p "$found" "$findings"
    dict=$(dictionary "$target")
    start=$(date +%s)
    echo "=== $target: $runs inputs"
    if ! build/fuzz/fuzz/"$target" -runs="$runs" -max_total_time="$max_time" -timeout=5 -rss_limit_mb=2048 \
        -max_len=65536 -print_final_stats=1 -artifact_prefix="$findings/" ${dict:+-dict="$dict"} \
        "$found" "fuzz/corpus/$target" >"$findings/log" 2>&1; then
        tail -n 60 "$findings/log"
        echo "=== $target FAILED; the input is in $findings/"
        exit 1
    fi
    grep -E '^stat::number_of_executed_units|^Done' "$findings/log" | tr '\n' ' '
    echo "($(($(date +%s) - start)) s)"
done
