#!/usr/bin/env bash
# Fuzzes the readers of outside input (scenario, script, registry file, string tables,
# HWID.ini, ...): builds every fuzz target with clang, libFuzzer and the address and
# undefined-behaviour sanitizers in build-fuzz/, then runs each one for SECONDS seconds
# (default 30) from its seeds in fuzz/corpus/<target>/ (with the words of its format
# from fuzz/dict/<target>.dict where there is one).
#
#   bash scripts/fuzz.sh          # about 30 s a target, as CI does
#   bash scripts/fuzz.sh 600      # ten minutes a target
#   bash scripts/fuzz.sh 60 registry script    # only these targets
#
# Fails when a target crashes, an input runs longer than 10 s (a hang), uses more than
# 2 GB, or a sanitizer reports anything; the input that did it is kept under
# build-fuzz/findings/ and its reproduction command is printed. Inputs that found new
# paths are kept in build-fuzz/corpus/<target>/ for the next run (the seeds in the
# repository stay as they are).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "usage: scripts/fuzz.sh [SECONDS] [TARGET...]" >&2
  exit 2
fi

bash scripts/install-deps.sh
build=build-fuzz
cmake -S . -B "$build" -G Ninja -DTC_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target fuzz-all

targets=("$@")
[ ${#targets[@]} -gt 0 ] || mapfile -t targets < "$build/fuzz/targets.txt"
mkdir -p "$build/findings"
failed=()
summary=()
for target in "${targets[@]}"; do
  [ -n "$target" ] || continue
  exe="$build/fuzz/fuzz-$target"
  if [ ! -x "$exe" ]; then
    echo "fuzz.sh: no fuzz target \"$target\"" >&2
    exit 2
  fi
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  log="$build/findings/$target.log"
  echo "== $target: ${seconds}s"
  dict=()
  [ -f "fuzz/dict/$target.dict" ] && dict=(-dict="fuzz/dict/$target.dict")
  status=0
  "$exe" "${dict[@]}" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
         -artifact_prefix="$build/findings/$target-" "$corpus" "fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  if [ $status -ne 0 ] || grep -q "runtime error:\|ERROR: AddressSanitizer\|ERROR: libFuzzer" "$log"; then
    failed+=("$target")
    summary+=("$target: FAILED after ${runs:-?} runs (status $status)")
    grep -m1 -A30 "ERROR\|runtime error\|fuzz check failed\|ALARM" "$log" || tail -30 "$log"
    grep "^artifact_prefix\|Test unit written to" "$log" || true
    echo "reproduce: $exe <the input above>"
  else
    summary+=("$target: ${runs:-?} runs in ${seconds}s, no findings")
  fi
done
echo "== fuzzing"
printf '  %s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz.sh: findings in: ${failed[*]} (inputs in $build/findings/)" >&2
  exit 1
fi
