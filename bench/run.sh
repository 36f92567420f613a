#!/usr/bin/env bash
# The benchmarks, each measured side by side with its yardstick in one run:
#   1. start to first page (headless, /show internet, one screenshot) against a bare Qt
#      program painting a page of the same texts and saving it as PNG;
#   2. the whole first run in virtual time, welcome to "Congratulations!" (the walk-through's
#      steps without its screenshots, then the walk-through itself with its eight
#      screenshots) against the same bare painter;
#   3. the lab's cost per script over the suite (tests/lab/*.tcs, as ctest runs them)
#      against the bare painter;
#   4. the log writer's lines per second against spdlog's basic file sink.
# usage: bash bench/run.sh [RUNS]     (RUNS: paired runs per case, default 10; LAB_RUNS=N
#        for the lab suite, default 2)
# Builds into build-bench/ (RelWithDebInfo, as the tests build). Not part of the tests: timings vary by machine.
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${1:-10}
bash scripts/install-deps.sh > /dev/null
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTC_BENCH=ON > /dev/null
cmake --build build-bench --target TesraConnect tc_bench_painted_page tc_bench_log > /dev/null
work=$(mktemp -d "${TMPDIR:-/tmp}/tc-bench.XXXX")
trap 'rm -rf "$work"' EXIT
exe=$PWD/build-bench/TesraConnect
printf 'expect state 16\nscreenshot first\n' > "$work/first.tcs"
grep -v '^screenshot' lab/walkthrough.tcs > "$work/first-run.tcs"
python3 - "$exe" "$work" "$PWD" > "$work/cases.json" <<'PY'
import glob, json, os, sys
exe, work, root = sys.argv[1:4]
painter = [os.path.join(root, 'build-bench', 'bench', 'tc_bench_painted_page')]
lab = [['cmake', f'-DEXE={exe}', f'-DSCRIPT={s}', f'-DOUT={work}/lab/{os.path.basename(s)}',
        '-P', os.path.join(root, 'tests/lab/run_lab_test.cmake')]
       for s in sorted(glob.glob(os.path.join(root, 'tests/lab/*.tcs')))]
print(json.dumps([
    {'name': 'start to first page', 'b': painter,
     'a': [exe, '--headless', '--machine', f'{work}/pc', '--script', f'{work}/first.tcs', '--out', f'{work}/out',
           '/show', 'internet']},
    {'name': 'whole first run (no screenshots)', 'b': painter,
     'a': [exe, '--headless', '--fresh', '--machine', f'{work}/run-pc', '--script', f'{work}/first-run.tcs',
           '--out', f'{work}/run']},
    {'name': 'whole first run (walk-through)', 'b': painter,
     'a': [exe, '--headless', '--fresh', '--machine', f'{work}/walk-pc', '--script', os.path.join(root, 'lab/walkthrough.tcs'),
           '--out', f'{work}/walk']},
    {'name': 'lab suite', 'b': painter, 'a': lab, 'runs': int(os.environ.get('LAB_RUNS', '2'))},
]))
PY
export ANCHOR_OUT="$work"
python3 bench/pairtime.py "$RUNS" "$work/cases.json"
# 40,000 lines stay below the log's 10 MB cap, so both write every line.
./build-bench/bench/tc_bench_log 40000 "$RUNS"
