#!/usr/bin/env python3
"""The fault sweep: every road of the wizard, run again with a fault at every step.

For each road (a lab script and its simulated PC) a clean run first measures the road's
length in virtual time and records what happened in the world (the lab's world.txt).
Then, for every fault kind of the road, one run per step of 200 ms puts the fault into
the scenario's events at that moment. Each run goes as far as the wizard lets it (a
road line that can no longer hold ends the script), the lab lets the wizard settle
(--settle), and the judge below says on which page it must have ended, by the moment of
the fault relative to what the clean run's world saw.

Every run is a process of its own, with a wall-clock limit, so a crash, a sanitizer
report or a hang is one miss and the sweep goes on. Runs are independent and run in
parallel (--jobs).

    python3 scripts/sweep.py                 # the whole sweep (build/TesraConnect)
    python3 scripts/sweep.py --sample 8      # every 8th step, plus the steps around
                                             # each moment where the expected page changes
    python3 scripts/sweep.py --sample 8 --at-most 16
                                             # the same, with at most about 16 steps
                                             # spread over a longer road (ctest's sample)

Prints "N runs, M ended where they should" per road and fault, and every miss with its
moment, what was expected and found, and the command that replays it. Exit status 0
when every run ended where it should, 1 on any miss, 2 when the tool cannot start.
"""
import argparse
import concurrent.futures
import json
import os
import re
import shutil
import subprocess
import sys
import time
from dataclasses import dataclass, field
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
STEP_MS = 200
RUN_LIMIT_S = 90          # real seconds one run may take before it counts as hung
SETTLE = "10m"            # virtual time the wizard gets to come to rest after the script

MONITOR = "WiFiAdapterMonitorThreadProc"


# ---- The roads -------------------------------------------------------------------------

@dataclass
class Road:
    name: str
    script: Path
    faults: list           # the world events swept along the road
    end_page: int          # where the clean road ends
    scenario: Path = None  # None: the built-in PC
    failure_page: int = 13  # a failed connection: 13, or 14 for a hidden network
    from_list: bool = True  # the network is chosen from the list (a hidden one is named)
    wps: str = None         # the road joins with WPS: "push button" or "pin"
    # How long after the wireless service first lists the adapter the wizard's wait for
    # it finds it. On the first run the wait polls until the driver is in and finds it
    # at the listing; on a returning PC the service lists it from the start, and the
    # wait, started at once, gives the service 300 ms before its first check.
    found_after: int = 0

ROADS = [
    # The first run on the built-in PC: welcome, driver, adapter, list, password,
    # connected.
    Road("first-run", ROOT / "lab/walkthrough.tcs", ["unplug"], 16),
    # The same first run taking the WPS page's push button, and its PIN link; the router
    # also goes out of range along them.
    Road("wps-push-button", ROOT / "lab/roads/wps-push-button.tcs", ["unplug", 'network-off "Home"'], 16,
         wps="push button"),
    Road("wps-pin", ROOT / "lab/roads/wps-pin.tcs", ["unplug", 'network-off "Home"'], 16, wps="pin"),
    # The push button with nobody pressing while the adapter looks: the WPS page stays
    # open for two minutes first, and the router's button is pressed at every step, so
    # that its two-minute window closes before the adapter looks, is open while it looks,
    # or opens too late. Never pressed (the clean road), the dialog fails.
    Road("wps-button-window", ROOT / "lab/roads/wps-button-window.tcs", ['wps-button "Home"'], 5,
         wps="push button"),
    # A returning PC: list, password, connecting.
    Road("connect", ROOT / "lab/roads/connect.tcs",
         ["gateway off", "internet off", 'network-off "Home"', "unplug"], 16,
         ROOT / "lab/roads/returning-pc.json", found_after=300),
    # A returning PC whose network hides its name: the hidden-network link, timer 6.
    Road("hidden", ROOT / "lab/roads/hidden.tcs",
         ["gateway off", "internet off", 'network-off "Home"', "unplug"], 16,
         ROOT / "lab/roads/returning-pc-hidden.json", failure_page=14, from_list=False, found_after=300),
]


# ---- What the clean run's world saw ----------------------------------------------------

@dataclass
class Timeline:
    """Moments of the clean road (virtual ms), read from its world.txt."""
    length: int = 0
    adapter_listed: int = None   # the wireless service first lists the adapter
    list_scan: int = None        # the scan whose result the wizard's list shows
    gateway_echo: int = None     # the first link check sends its echo to the gateway
    internet_echo: int = None    # ... and then to the public host
    wps_started: int = None      # the adapter starts its WPS attempt (looks for a router)
    wps_credentials: int = None  # the router's exchange ends with the credentials
    wps_ended: int = None        # the wizard ends the adapter's attempt (its last poll)


# The router's push-button window, and how long its exchange with the adapter takes.
BUTTON_WINDOW_MS = 120000
WPS_EXCHANGE_MS = 4000


def read_timeline(run_dir, length):
    t = Timeline(length=length)
    last_scan = None
    echoes = []
    for line in (run_dir / "world.txt").read_text(encoding="utf-8").splitlines():
        m = re.match(r"(\d+) ms  (.*)$", line)
        if not m:
            continue
        at, what = int(m.group(1)), m.group(2)
        if what == "the wireless service lists the adapter" and t.adapter_listed is None:
            t.adapter_listed = at
        elif what.startswith("scan:"):
            last_scan = at
        elif what.startswith("list fetched:") and t.list_scan is None:
            t.list_scan = last_scan
        elif what.startswith("echo to ") and what.endswith("answered"):
            echoes.append(at)
        elif what.startswith("wps: ") and what.endswith(" attempt started") and t.wps_started is None:
            t.wps_started = at
        elif what.startswith("wps: ") and what.endswith(" hands out its credentials") and t.wps_credentials is None:
            t.wps_credentials = at
        elif (what.startswith("wps: ") and what.endswith(" attempt ended") and t.wps_started is not None
              and t.wps_ended is None):
            t.wps_ended = at
    if len(echoes) >= 2:
        t.gateway_echo, t.internet_echo = echoes[0], echoes[1]
    return t


# ---- The judge -------------------------------------------------------------------------

@dataclass
class Expectation:
    page: int
    row: str                 # the table row that applies, for the report
    error_index: int = -1
    log_has: list = field(default_factory=list)
    log_lacks: list = field(default_factory=list)
    monitor: bool = None     # the adapter monitor still watching at the end (None: either)
    dialog: str = None       # a dialog that must still be open at the end (None: no check)


def by_boundaries(at, rows):
    """rows: [(boundary or None, expectation)]; a row applies while at < boundary. On the
    very millisecond of a boundary both neighbouring rows are acceptable."""
    for i, (boundary, e) in enumerate(rows):
        if boundary is None or at < boundary:
            return [e]
        if at == boundary:
            return [e, rows[i + 1][1]]
    raise AssertionError("no row")


def expected_end(road, fault, at, t):
    """The wizard's rules, by fault and moment. Each row says what the wizard does.

    Returns a list of acceptable expectations: one, or two when the fault falls on the
    very millisecond of a boundary (the world's step and the fault happen at the same
    moment, and either may come first)."""
    if fault == "unplug":
        return by_boundaries(at, [
            # Pulled before the wizard's wait for it found it: the adapter never turns up,
            # the wait runs its 60 tries out, "Unable to find your adapter".
            (t.adapter_listed + road.found_after, Expectation(19, "pulled before the adapter was ever found", 6,
                                           ["retry times = 59."], ["Adapter removed."], False)),
            # Pulled once it was found (the list, the password dialog, the WPS dialog or
            # PIN page, connecting, the success page): the monitor sees it go within 2 s,
            # closes any dialog, stops what the page runs (the scan, the PIN join, the
            # link worker with timers 5 and 6) and shows the same page. On a returning PC
            # the service lists the adapter from the start and the first check finds it,
            # so every later moment is this row; nothing else watches the link after the
            # success page, the monitor does.
            (None, Expectation(19, "pulled after the adapter was found", 6,
                               ["Adapter removed."], [], False)),
        ])
    if road.wps:
        return expected_wps_end(road, fault, at, t)
    # Every fault of the connect roads happens on a secured network ("Home", WPA2): its
    # failure page has error index 2. A hidden network's connection first tries the other
    # cipher once (timer 6), which cannot mend a missing gateway or network, and then
    # ends on its own failure page.
    failed = Expectation(road.failure_page, "", 2, ["Connect failed."], [], True)
    no_internet = Expectation(17, "", -1, ["Connect to Internet: False."], ["Connect failed."], True)
    connected = Expectation(16, "", -1, ["Connect to Internet: True."], ["Connect failed."], True)

    def named(e, row):
        return Expectation(e.page, row, e.error_index, e.log_has, e.log_lacks, e.monitor)

    if fault == "gateway off":
        return by_boundaries(at, [
            # The gateway is silent at every link check: the checks run out, failure page.
            (t.gateway_echo, named(failed, "gateway cut before the link check")),
            # The gateway answered; the public host is reached through it, so no more.
            (t.internet_echo, named(no_internet, "gateway cut between the gateway and internet echoes")),
            # Both answered: "Congratulations!"; nothing watches the link afterwards.
            (None, named(connected, "gateway cut after the checks")),
        ])
    if fault == "internet off":
        return by_boundaries(at, [
            # The gateway answers, the public host does not: connected, no internet.
            (t.internet_echo, named(no_internet, "internet cut before the internet echo")),
            (None, named(connected, "internet cut after the checks")),
        ])
    if fault.startswith("network-off"):
        return by_boundaries(at, ([
            # Out of range before the scan the list shows: "Home" is not on the list, the
            # person cannot choose it and the list page stays. (A hidden network is named
            # by the person whatever the list shows.)
            (t.list_scan, Expectation(8, "network gone before the list's scan", -1, [], ["Connect failed."], True)),
        ] if road.from_list else []) + [
            # Out of range while connecting: no association (or it drops) before the
            # check, the checks run out: failure page.
            (t.gateway_echo, named(failed, "network gone while connecting")),
            # Gone between the two echoes: the public host is not reached.
            (t.internet_echo, named(no_internet, "network gone between the gateway and internet echoes")),
            (None, named(connected, "network gone after the checks")),
        ])
    raise SystemExit(f"sweep: no rule for the fault {fault!r}")


def expected_wps_end(road, fault, at, t):
    """The WPS roads' rules: the router's button and the router's network.

    A push-button join that ends without a connection leaves the WPS dialog open on its
    failure view (page 5); a PIN join ends on the PIN page's failure view (page 11) after
    its attempts. Once the exchange has handed out the credentials, the join connects
    with them and waits for the link like any connection."""
    if road.wps == "push button":
        def failed(row, has=(), lacks=()):
            return Expectation(5, row, -1, ["WPS Push-Button Configuration failed."] + list(has),
                               ["WPS query profile successfully."] + list(lacks), True, "CWpsConnectDlg")
        def failed_connecting(row):
            return Expectation(5, row, -1, ["WPS query profile successfully.", "WPS Push-Button Configuration failed."],
                               [], True, "CWpsConnectDlg")
    else:
        def failed(row, has=(), lacks=()):
            return Expectation(11, row, -1, ["WPS PIN code failed."] + list(has),
                               ["WPS query profile successfully.", "WPS PIN Successful."] + list(lacks), True)
        def failed_connecting(row):
            return Expectation(11, row, -1, ["WPS query profile successfully.", "WPS PIN code failed."],
                               ["WPS PIN Successful."], True)
    no_pbc = ["No PBC AP avaliable."] if road.wps == "push button" else []
    connected = ["WPS query profile successfully.", "Connect to Internet: True."]

    if fault.startswith("wps-button"):
        return by_boundaries(at, [
            # Pressed two minutes or more before the adapter starts looking: the window has
            # closed by then, nobody presses again, the 120 polls find no router.
            (t.wps_started - BUTTON_WINDOW_MS,
             failed("window closed before the adapter looked", no_pbc)),
            # The window is open while the adapter looks (opened before, or during the
            # polls) and the exchange ends by the last poll: the credentials, connected.
            (t.wps_ended - WPS_EXCHANGE_MS,
             Expectation(16, "window open while the adapter looked", -1, connected,
                         ["WPS Push-Button Configuration failed."], True)),
            # Pressed in the last 4 s of the polls: the exchange is still running at the
            # last poll, whose code is one of its steps (not "no router").
            (t.wps_ended, failed("pressed too late for the exchange to end", [], no_pbc)),
            # Pressed after the polls: nobody was there while the adapter looked.
            (None, failed("pressed after the adapter stopped looking", no_pbc)),
        ])
    if fault.startswith("network-off"):
        return by_boundaries(at, [
            # Out of range before the exchange ended (before the button, the PIN or in the
            # middle of the exchange): no router answers, no credentials. (The PIN join
            # tries again, with another router when there is one, and gives up.)
            (t.wps_credentials, failed("network gone before the credentials", no_pbc)),
            # The credentials came, the connection with them finds no network (or loses
            # it before the gateway answered): the join waits out its 140 questions.
            (t.gateway_echo, failed_connecting("network gone after the credentials, before the link check")),
            # Gone between the two echoes: connected, the public host is not reached.
            (t.internet_echo, Expectation(17, "network gone between the gateway and internet echoes", -1,
                                          ["WPS query profile successfully.", "Connect to Internet: False."], [], True)),
            (None, Expectation(16, "network gone after the checks", -1, connected, [], True)),
        ])
    raise SystemExit(f"sweep: no rule for the fault {fault!r} on a WPS road")


# ---- One run ---------------------------------------------------------------------------

def read_result(path):
    fields, failures = {}, []
    in_failures = False
    for line in path.read_text(encoding="utf-8", errors="replace").splitlines():
        if in_failures and line.startswith("  "):
            failures.append(line.strip())
            continue
        in_failures = False
        key, _, value = line.partition(": ")
        fields[key] = value
        if key == "failed lines":
            in_failures = True
    fields["failures"] = failures
    return fields


def strip_comments(text):
    """JSON with // comments (the lab's scenario files) to plain JSON."""
    out, i, in_string = [], 0, False
    while i < len(text):
        c = text[i]
        if in_string:
            out.append(c)
            if c == "\\":
                out.append(text[i + 1])
                i += 1
            elif c == '"':
                in_string = False
        elif c == '"':
            in_string = True
            out.append(c)
        elif text.startswith("//", i):
            while i < len(text) and text[i] != "\n":
                i += 1
            continue
        else:
            out.append(c)
        i += 1
    return "".join(out)


def prepare_road(road, out):
    """The road's script without screenshots, and its scenario as a dictionary."""
    folder = out / road.name
    folder.mkdir(parents=True, exist_ok=True)
    lines = road.script.read_text(encoding="utf-8").splitlines()
    kept = [l for l in lines if not l.strip().startswith("screenshot ")]
    script = folder / "road.tcs"
    script.write_text("\n".join(kept) + "\n", encoding="utf-8")
    scenario = {"name": "sweep-" + road.name}
    if road.scenario:
        scenario = json.loads(strip_comments(road.scenario.read_text(encoding="utf-8")))
    args = []
    for l in lines[:8]:
        m = re.match(r"# args: (.+)$", l)
        if m:
            args = m.group(1).split()
    return script, scenario, args


@dataclass
class Outcome:
    at: int
    fault: str
    ok: bool
    problems: list
    found: str
    expected: str
    replay: str
    length: int = 0
    run_dir: Path = None


def run_one(exe, road, script, scenario, args, run_dir, fault=None, at=None):
    if run_dir.exists():
        shutil.rmtree(run_dir)
    run_dir.mkdir(parents=True)
    scen = dict(scenario)
    if fault is not None:
        scen["events"] = list(scen.get("events", [])) + [{"at": f"{at}ms", "do": fault}]
    scen_path = run_dir / "scenario.json"
    scen_path.write_text(json.dumps(scen, indent=2, ensure_ascii=False), encoding="utf-8")
    cmd = [str(exe), "--headless", "--fresh", "--machine", str(run_dir / "machine"), "--scenario", str(scen_path),
           "--script", str(script), "--out", str(run_dir), "--settle", SETTLE] + args
    replay = " ".join(shlex_quote(c) for c in cmd)
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    problems = []
    try:
        p = subprocess.run(cmd, cwd=ROOT, env=env, capture_output=True, text=True, errors="replace",
                           timeout=RUN_LIMIT_S)
        status, stderr = p.returncode, p.stderr
    except subprocess.TimeoutExpired as e:
        status = None
        stderr = e.stderr.decode(errors="replace") if isinstance(e.stderr, bytes) else (e.stderr or "")
        problems.append(f"hung: still running after {RUN_LIMIT_S} s of real time")
    (run_dir / "stderr.txt").write_text(stderr or "", encoding="utf-8")
    if status is not None and status not in (0, 1):
        problems.append(f"crashed: exit status {status}" + (" (a sanitizer report)" if status == 86 else ""))
    if stderr and ("AddressSanitizer" in stderr or "runtime error:" in stderr or "LeakSanitizer" in stderr):
        problems.append("a sanitizer report on stderr")
    result_path = run_dir / "result.txt"
    if not result_path.exists():
        problems.append("no result.txt")
        return Outcome(at, fault, False, problems, "nothing", "", replay, 0, run_dir), None
    r = read_result(result_path)
    for f in r["failures"]:
        if "the run cannot go on" in f:
            problems.append("virtual deadlock: " + f)
    if not r.get("settled", "").startswith("at rest"):
        problems.append("never came to rest: " + r.get("settled", "no settle line"))
    if r.get("workers left at exit") != "none":
        problems.append("workers left running at exit: " + r.get("workers left at exit", "no such line"))
    if r.get("log lock at exit") != "free":
        problems.append("the log's lock held at exit")
    length = int(r.get("ended at", "0 ms").split()[0])
    return Outcome(at, fault, not problems, problems, "", "", replay, length, run_dir), r


def shlex_quote(word):
    return word if re.fullmatch(r"[\w@%+=:,./-]+", word) else "'" + word.replace("'", "'\\''") + "'"


def judge(outcome, result, expectations):
    """Adds to outcome.problems what differs from every acceptable expectation."""
    state = int(result["state"]) if result.get("state", "").lstrip("-").isdigit() else None
    log_path = outcome.run_dir / "log.txt"
    log = log_path.read_text(encoding="utf-8", errors="replace") if log_path.exists() else None
    workers = [w for w in result.get("workers", "").split(", ") if w and w != "none"]
    first_misses = None
    for e in expectations:
        misses = []
        if state != e.page:
            misses.append(f"page {result.get('state')} instead of {e.page}")
        else:
            if str(e.error_index) != result.get("error-index"):
                misses.append(f"error index {result.get('error-index')} instead of {e.error_index}")
            others = [w for w in workers if w != MONITOR]
            if others:
                misses.append("still at work at the end: " + ", ".join(others))
            if e.monitor is not None and (MONITOR in workers) != e.monitor:
                misses.append("the adapter monitor " + ("stopped" if e.monitor else "still watching") + " at the end")
            if e.dialog is not None and e.dialog not in result.get("windows", "").split(" > "):
                misses.append(f"no {e.dialog} open at the end (windows: {result.get('windows')})")
            if log is None:
                misses.append("no log")
            else:
                if not log.endswith("\n"):
                    misses.append("the log's last line is cut")
                misses += [f"the log lacks \"{s}\"" for s in e.log_has if s not in log]
                misses += [f"the log has \"{s}\"" for s in e.log_lacks if s in log]
        if not misses:
            outcome.expected = f"{e.page} ({e.row})"
            outcome.found = str(state)
            return
        if first_misses is None:
            first_misses = misses
    misses = first_misses
    outcome.expected = " or ".join(f"{x.page} ({x.row})" for x in expectations)
    outcome.found = f"{state}: " + "; ".join(misses)
    outcome.problems += misses
    outcome.ok = False


# ---- The sweep -------------------------------------------------------------------------

def moments(road, fault, t, sample, at_most):
    steps = list(range(0, t.length + 1, STEP_MS))
    if sample <= 1:
        return steps
    # Every Nth step, or fewer on a long road, so that no road and fault takes more than
    # about at_most runs besides those below.
    stride = max(sample, -(-len(steps) // at_most)) if at_most else sample
    chosen = set(steps[::stride]) | {steps[-1]}
    # Around every moment where the judge's row changes: the last step before it (or on
    # it) and the first after it.
    rows = [tuple(e.row for e in expected_end(road, fault, at, t)) for at in steps]
    for i in range(1, len(steps)):
        if rows[i] != rows[i - 1]:
            chosen.update((steps[i - 1], steps[i]))
    return sorted(chosen)


def main():
    ap = argparse.ArgumentParser(description="Runs every road with a fault at every 200 ms step.")
    ap.add_argument("--exe", default=str(ROOT / "build/TesraConnect"), help="the program (default: build/TesraConnect)")
    ap.add_argument("--out", default=str(ROOT / "build/sweep"), help="where the runs leave their folders")
    ap.add_argument("--jobs", type=int, default=2, help="runs at once (default 2)")
    ap.add_argument("--sample", type=int, default=1,
                    help="every Nth step only, plus the steps around each change of the expected page")
    ap.add_argument("--at-most", type=int, default=0,
                    help="with --sample: a longer stride on a long road, so that a road and fault has about this "
                         "many runs besides those around the changes (default: no limit)")
    ap.add_argument("--road", action="append", help="only this road (repeatable)")
    ap.add_argument("--keep", action="store_true", help="keep the folders of the runs that ended where they should")
    o = ap.parse_args()
    exe = Path(o.exe).resolve()
    if not exe.exists():
        print(f"sweep: no program at {exe} (build it first)", file=sys.stderr)
        return 2
    out = Path(o.out).resolve()
    out.mkdir(parents=True, exist_ok=True)
    roads = [r for r in ROADS if not o.road or r.name in o.road]
    if not roads:
        print("sweep: no such road; roads: " + ", ".join(r.name for r in ROADS), file=sys.stderr)
        return 2

    started = time.monotonic()
    all_ok = True
    total_runs = total_ok = 0
    for road in roads:
        script, scenario, args = prepare_road(road, out)
        clean, result = run_one(exe, road, script, scenario, args, out / road.name / "clean")
        result = result or {"failures": []}
        if not clean.ok or result.get("result") != "passed" or result.get("state") != str(road.end_page):
            print(f"{road.name}: the clean road did not pass (state {result.get('state')}, "
                  f"{'; '.join(clean.problems + result['failures'])}); replay: {clean.replay}")
            all_ok = False
            continue
        t = read_timeline(clean.run_dir, clean.length)
        for fault in road.faults:
            steps = moments(road, fault, t, o.sample, o.at_most)
            slug = re.sub(r"[^a-z0-9]+", "-", fault.lower()).strip("-")

            def one(at, fault=fault, slug=slug):
                outcome, result = run_one(exe, road, script, scenario, args, out / road.name / slug / f"{at:06d}",
                                          fault, at)
                if result is not None:
                    judge(outcome, result, expected_end(road, fault, at, t))
                if outcome.ok and not o.keep:
                    shutil.rmtree(outcome.run_dir, ignore_errors=True)
                return outcome

            with concurrent.futures.ThreadPoolExecutor(max_workers=max(1, o.jobs)) as pool:
                outcomes = list(pool.map(one, steps))
            good = sum(1 for x in outcomes if x.ok)
            total_runs += len(outcomes)
            total_ok += good
            pages = {}
            for x in outcomes:
                page = x.found.split(":")[0] if x.found else "-"
                pages[page] = pages.get(page, 0) + 1
            print(f"{road.name} / {fault}: {len(outcomes)} runs, {good} ended where they should (end pages: "
                  + ", ".join(f"{p}: {n}" for p, n in sorted(pages.items())) + ")", flush=True)
            for x in outcomes:
                if x.ok:
                    continue
                all_ok = False
                print(f"  miss at {x.at} ms ({fault}): expected {x.expected or '?'}, found {x.found or '-'}"
                      + ("".join(f"\n    {p}" for p in x.problems if p not in x.found)))
                print(f"    replay: {x.replay}")
    print(f"sweep: {total_runs} runs, {total_ok} ended where they should "
          f"({time.monotonic() - started:.0f} s; the runs' folders are under {out})")
    return 0 if all_ok else 1


if __name__ == "__main__":
    sys.exit(main())
