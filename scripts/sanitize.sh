#!/usr/bin/env bash
# Builds the project with AddressSanitizer and UndefinedBehaviorSanitizer (gcc) in
# build-asan/ and runs the whole test suite under them, leaks included. Any sanitizer
# report fails the run, also one from a program whose exit status a test expects to be
# non-zero: every report is also written under build-asan/sanitizer-reports/.
#   bash scripts/sanitize.sh [ctest options, e.g. -R lab.]
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
build="$root/build-asan"
reports="$build/sanitizer-reports"
bash scripts/install-deps.sh

# halt_on_error: the first report ends the process; exitcode 86 tells it from the
# program's own statuses (0, 1, 2, 3). Leaks of libraries outside the project are
# named in scripts/lsan.supp; the project's own never are.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:abort_on_error=0:exitcode=86:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1:log_path=$reports/asan"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:exitcode=86:log_path=$reports/ubsan"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0:exitcode=86"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1" -DTC_SANITIZE=ON >/dev/null
rm -rf "$reports"
mkdir -p "$reports"
cmake --build "$build"
rm -rf "$reports"
mkdir -p "$reports"
status=0
ctest --test-dir "$build" --output-on-failure -j2 --timeout 600 "$@" || status=$?
if compgen -G "$reports/*" >/dev/null; then
  echo "Sanitizer reports:"
  for f in "$reports"/*; do
    echo "==== $f"
    cat "$f"
  done
  exit 1
fi
exit $status
