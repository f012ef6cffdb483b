#!/bin/sh
# Builds the libFuzzer targets (clang, with AddressSanitizer and UndefinedBehaviorSanitizer) and
# runs them, one at a time.
#
#   sh scripts/fuzz.sh TARGET SECONDS    one target for SECONDS
#   sh scripts/fuzz.sh all SECONDS       every target in turn, SECONDS each
#   sh scripts/fuzz.sh list              the targets
#
# With FUZZ_RUNS=N a run also ends after N inputs (whichever comes first).
#
# Seeds come from fuzz/corpus/<target>/ (never changed by a run); what a run learns is kept in
# $FUZZ_BUILD_DIR/corpus/<target>/ for the next run. An input that breaks a target is saved in
# $FUZZ_BUILD_DIR/findings/<target>/ and the script ends with status 1. Every run adds a line to
# $FUZZ_BUILD_DIR/fuzz-runs.log: date, target, seconds it ran, inputs run, result.
set -e
cd "$(dirname "$0")/.."

targets="frame_parser reply_handler car_database settings_file preferences replay_reader"
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}

usage() {
    echo "usage: sh scripts/fuzz.sh TARGET|all SECONDS   (targets: $targets)" >&2
    exit 2
}

[ "$1" = list ] && { echo "$targets"; exit 0; }
[ $# -eq 2 ] || usage
what=$1
seconds=$2
case "$seconds" in ''|*[!0-9]*) usage ;; esac
if [ "$what" != all ]; then
    case " $targets " in *" $what "*) ;; *) usage ;; esac
fi

EXTRA_PACKAGES="clang libclang-rt-14-dev" sh scripts/deps.sh
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
      -DALVETRA_FUZZ=ON -DALVETRA_BUILD_TESTS=OFF -DALVETRA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir" --target fuzz_all

# Options a target needs beyond the common ones.
options_for() {
    case "$1" in
        # Up to eight frames an input (a frame is at most 127 characters): longer inputs only
        # repeat what shorter ones reach, at a fraction of the speed.
        frame_parser) echo "-dict=fuzz/frame_parser.dict -max_len=1024" ;;
        reply_handler) echo "-max_len=256" ;;   # several frames of up to 63 data bytes
        settings_file) echo "-max_len=70000" ;;   # past the 65535-byte limit of the format
        preferences) echo "-dict=fuzz/preferences.dict -max_len=2048" ;;   # several times a real file
        replay_reader) echo "-dict=fuzz/replay_reader.dict -max_len=4096" ;;   # a few dozen log lines
        *) echo "" ;;
    esac
}

run_one() {
    target=$1
    corpus="$build_dir/corpus/$target"
    findings="$build_dir/findings/$target"
    log="$build_dir/fuzz-$target.log"
    mkdir -p "$corpus" "$findings"
    status=0
    started=$(date +%s)
    # shellcheck disable=SC2046
    # Reports keep their place of error; allocation stacks and the fill of new blocks, which
    # only help to read a report about freed memory, are left out: a third more inputs a second.
    ASAN_OPTIONS="malloc_context_size=0:max_malloc_fill_size=0:quarantine_size_mb=8${ASAN_OPTIONS:+:$ASAN_OPTIONS}" \
    "$build_dir/fuzz/fuzz_$target" -max_total_time="$seconds" ${FUZZ_RUNS:+-runs="$FUZZ_RUNS"} \
        -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$findings/" $(options_for "$target") \
        "$corpus" "fuzz/corpus/$target" >"$log" 2>&1 </dev/null || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    case $status in
        0) result=clean ;;
        72) result="interrupted, nothing found"; status=0 ;;   # stopped from outside (SIGINT, SIGTERM)
        *) result="FINDING (status $status)" ;;
    esac
    printf '%s %s %ss %s inputs %s\n' "$(date -u +%Y-%m-%dT%H:%M:%SZ)" "$target" "$(($(date +%s) - started))" \
        "${runs:-?}" "$result" \
        | tee -a "$build_dir/fuzz-runs.log"
    if [ "$status" -ne 0 ]; then
        grep -E "invariant broken|ERROR|SUMMARY|runtime error" "$log" | head -n 5 >&2
        ls "$findings" >&2
        return 1
    fi
}

failed=0
if [ "$what" = all ]; then
    for t in $targets; do run_one "$t" || failed=1; done
else
    run_one "$what" || failed=1
fi
exit $failed
