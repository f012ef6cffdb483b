#!/bin/sh
# Sanitizer runs of the test suite.
#
#   sh scripts/sanitize.sh asan   AddressSanitizer + UndefinedBehaviorSanitizer, whole test suite
#   sh scripts/sanitize.sh tsan   ThreadSanitizer: tests_link, tests_sim, tests_ops, tests_e2e
#   sh scripts/sanitize.sh all    both
#
# Build folders: $ASAN_BUILD_DIR (build-asan) and $TSAN_BUILD_DIR (build-tsan), configured by the
# presets of CMakePresets.json. Qt from Debian is not instrumented; the suppression files in
# scripts/sanitizers/ hold only reports from inside Qt and the system libraries, never ours.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
jobs=$(nproc)
supp="$(pwd)/scripts/sanitizers"

run_asan() {
    dir=${ASAN_BUILD_DIR:-build-asan}
    cmake --preset asan -B "$dir" >/dev/null
    cmake --build "$dir" -j"$jobs"
    ASAN_OPTIONS="detect_leaks=1:fast_unwind_on_malloc=0:malloc_context_size=10:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1" \
    UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0" \
    QT_QPA_PLATFORM=offscreen \
        ctest --test-dir "$dir" --output-on-failure -j"$jobs" --timeout 600
}

run_tsan() {
    dir=${TSAN_BUILD_DIR:-build-tsan}
    cmake --preset tsan -B "$dir" >/dev/null
    cmake --build "$dir" -j"$jobs" --target tests_link tests_sim tests_ops tests_e2e
    failed=0
    for area in link sim ops e2e; do
        echo "== tests_$area under ThreadSanitizer"
        # Qt draws large areas and scales large images on its own thread pool. Qt is not
        # instrumented, so TSan would see the memory calls of those pooled threads (memmove,
        # new, delete) but none of the pool's hand-over, and report Qt against itself; it is
        # told to ignore calls made from libraries that are not instrumented. Accesses made by
        # our code are instrumented and still checked, whichever thread makes them.
        TSAN_OPTIONS="ignore_noninstrumented_modules=1:halt_on_error=1:second_deadlock_stack=1:suppressions=$supp/tsan.supp" \
        QT_QPA_PLATFORM=offscreen \
            "$dir/tests/tests_$area" --gtest_brief=1 </dev/null || failed=1
    done
    return $failed
}

case "$1" in
    asan) run_asan ;;
    tsan) run_tsan ;;
    all) run_asan && run_tsan ;;
    *) echo "usage: sh scripts/sanitize.sh asan|tsan|all" >&2; exit 2 ;;
esac
