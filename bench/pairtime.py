#!/usr/bin/env python3
"""Paired whole-process timing. Each case is a pair of commands run alternately, so both
see the same machine; prints the medians of wall time and peak memory and their ratios.

usage: pairtime.py RUNS CASES.json
CASES.json: [{"name": ..., "a": [argv...] or [[argv...], ...], "b": [argv...], "runs": N}, ...]
("runs" is optional and overrides RUNS for that case.)
A case whose "a" is a list of commands runs them one after another and counts their
wall time per command (the lab's cost per script)."""
import json, os, statistics, subprocess, sys, time

ENV = dict(os.environ, QT_QPA_PLATFORM='offscreen')


def run(cmd):
    start = time.perf_counter()
    p = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=ENV)
    _, status, usage = os.wait4(p.pid, 0)
    return time.perf_counter() - start, usage.ru_maxrss / 1024.0, os.waitstatus_to_exitcode(status)


def run_many(cmds):
    walls, peaks, codes = [], [], set()
    for cmd in cmds:
        w, m, c = run(cmd)
        walls.append(w); peaks.append(m); codes.add(c)
    return sum(walls) / len(walls), max(peaks), codes


def main():
    runs = int(sys.argv[1])
    cases = json.load(open(sys.argv[2]))
    for case in cases:
        many = isinstance(case['a'][0], list)
        a = (lambda: run_many(case['a'])) if many else (lambda: (lambda r: (r[0], r[1], {r[2]}))(run(case['a'])))
        b = lambda: run(case['b'])
        a(); b()  # warm the caches
        ra, rb = [], []
        for _ in range(case.get('runs', runs)):
            ra.append(a()); rb.append(b())
        wa = statistics.median(x[0] for x in ra); wb = statistics.median(x[0] for x in rb)
        ma = statistics.median(x[1] for x in ra); mb = statistics.median(x[1] for x in rb)
        ratio = statistics.median(x[0] / y[0] for x, y in zip(ra, rb))
        codes = sorted(set().union(*(x[2] for x in ra)))
        per = ' per script' if many else ''
        print(f"{case['name']}: {wa * 1000:.1f} ms{per} against {wb * 1000:.1f} ms, paired ratio {ratio:.2f}; "
              f"peak {ma:.1f} MiB against {mb:.1f} MiB, ratio {ma / mb:.2f}; exit codes {codes}", flush=True)


main()
