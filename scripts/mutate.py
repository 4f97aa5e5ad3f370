#!/usr/bin/env python3
"""Plants one-line faults in the code, one at a time, and tells which the tests catch.

Each fault of the list (scripts/mutations.txt by default) names a file, a text
that occurs exactly once in it and its replacement. For every fault the script
writes the changed file, rebuilds incrementally, runs the tests, and puts the
file back as it was, whatever happens. A fault is caught when a test fails (or
hangs past the time-out), survives when every test passes, and is void when the
build fails (the list then needs mending). The tests are built and run one at
a time and the first failure ends the fault; the test that caught a fault is
remembered in the build folder (mutate-catchers.json) and tried first next
time. The test functions of the catcher that failed are kept beside it
(mutate-functions.json), so that --alone can tell which functions catch a fault
no other function of their test catches. At the end it prints a line per fault
and the score of every source folder.

    scripts/mutate.py [--build DIR] [--list FILE] [--only WORD] [--folder NAME] [--check]
    scripts/mutate.py [--build DIR] --alone

--check only tells which faults no longer match their file (after the code
moved on), without building anything.

The list is blocks of lines separated by blank lines; "#" starts a comment:

    id: surface-shared-faces
    file: src/model/VolumeCells.cpp
    find: if (count == 1)
    replace: if (count >= 1)
    tests: test_topology          (optional: the ctest names to run)

A block of only `folder` and `tests` names the tests run for the faults of
that source folder that name none; without either, every test runs. Only the
programs of the tests run are rebuilt, which keeps a fault to seconds.

`find` and `replace` may hold the escapes \\n and \\t for a change that spans
two lines of the file, and \\\\ for a backslash of the code.
"""

import argparse
import collections
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TEST_TIMEOUT = 300


class Fault:
    def __init__(self, fields, where):
        missing = [k for k in ("id", "file", "find", "replace") if k not in fields]
        if missing:
            raise SystemExit("%s: missing %s" % (where, ", ".join(missing)))
        self.id = fields["id"]
        self.file = fields["file"]
        self.find = unescape(fields["find"])
        self.replace = unescape(fields["replace"])
        self.tests = fields.get("tests", "").split()
        self.where = where

    @property
    def folder(self):
        parts = self.file.split("/")
        return parts[1] if parts[0] == "src" and len(parts) > 2 else parts[0]


def unescape(text):
    codes = {"n": "\n", "t": "\t", "\\": "\\"}
    return re.sub(r"\\(.)", lambda m: codes.get(m.group(1), m.group(0)), text)


def read_list(path):
    """The faults of the list, and the default tests of each source folder."""
    faults, defaults, fields, start = [], {}, {}, 0
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    for number, line in enumerate(lines + [""], 1):
        if line.startswith("#"):
            continue
        if not line.strip():
            if "folder" in fields:
                defaults[fields["folder"]] = fields.get("tests", "").split()
            elif fields:
                faults.append(Fault(fields, "%s:%d" % (path, start)))
            fields = {}
            continue
        key, sep, value = line.partition(":")
        if not sep:
            raise SystemExit("%s:%d: expected 'key: value'" % (path, number))
        key = key.strip()
        if key == "id" and "id" in fields:
            # A block whose blank line a merge dropped: this id starts the next.
            faults.append(Fault(fields, "%s:%d" % (path, start)))
            fields = {}
        if not fields:
            start = number
        fields[key] = value[1:] if value.startswith(" ") else value
    ids = collections.Counter(f.id for f in faults)
    twice = [i for i, n in ids.items() if n > 1]
    if twice:
        raise SystemExit("fault ids used twice: " + ", ".join(twice))
    for fault in faults:
        fault.tests = fault.tests or defaults.get(fault.folder, [])
    return faults


def run(command, cwd, timeout=None):
    """Runs a command in its own process group; returns (status, output)."""
    process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, start_new_session=True)
    try:
        out, _ = process.communicate(timeout=timeout)
        return process.returncode, out.decode(errors="replace")
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.communicate()
        return None, "timed out after %d s" % timeout


def display_prefix():
    if os.environ.get("DISPLAY"):
        return []
    return ["xvfb-run", "-a", "-s", "-screen 0 1600x1200x24"]


def ctest_names(build):
    status, out = run(["ctest", "-N"], build)
    if status != 0:
        raise SystemExit("ctest -N failed in %s:\n%s" % (build, out))
    return re.findall(r"Test\s+#\d+: (\S+)", out)


def test_order(fault, all_tests, catchers):
    """The tests to run for a fault: the one that caught it last time first."""
    tests = list(fault.tests or all_tests)
    first = catchers.get(fault.id)
    if first in tests:
        tests.remove(first)
        tests.insert(0, first)
    return tests


def build_targets(build):
    """The names the build can make (a test run by a script has none)."""
    status, out = run(["cmake", "--build", build, "--target", "help"], ROOT)
    return set(re.findall(r"^(\S+): ", out, re.M)) if status == 0 else set()


def failed_functions(output):
    """The test functions a QtTest program's output reports failed (or crashed
    in), each with the data row that failed: "bytes(off triangle)"."""
    return sorted(set(re.findall(r"^FAIL!\s*:\s*\w+::(\w+\([^)]*\))", output, re.M)))


def run_tests(tests, build, targets, verbose):
    """Builds and runs the tests one by one, stopping at the first that fails:
    most faults are caught by the first test, and building the others would
    cost more than running them. Returns (verdict, detail, catcher, functions)."""
    for test in tests:
        status, out = run(["cmake", "--build", build, "--target", test], ROOT) \
            if test in targets else (0, "")
        if status != 0:
            return "void", last_lines(out, 15) if verbose else "build failed", None, []
        status, out = run(display_prefix() + ["ctest", "-R", "^%s$" % re.escape(test),
                                              "--output-on-failure", "--timeout",
                                              str(TEST_TIMEOUT)],
                          build, timeout=TEST_TIMEOUT * 2)
        if status is None:
            return "caught", "the tests hung in " + test, test, []
        if status != 0:
            return "caught", "by " + test, test, failed_functions(out)
    return "survived", "", None, []


def try_fault(fault, build, all_tests, targets, memory, verbose):
    path = os.path.join(ROOT, fault.file)
    with open(path, encoding="utf-8") as f:
        original = f.read()
    if original.count(fault.find) != 1:
        return "stale", "the text occurs %d times" % original.count(fault.find)
    stat = os.stat(path)
    try:
        with open(path, "w", encoding="utf-8") as f:
            f.write(original.replace(fault.find, fault.replace, 1))
        catchers, functions = memory
        verdict, detail, catcher, failed = run_tests(test_order(fault, all_tests, catchers),
                                                     build, targets, verbose)
        if catcher:
            catchers[fault.id] = catcher
            functions[fault.id] = failed
        return verdict, detail
    finally:
        with open(path, "w", encoding="utf-8") as f:
            f.write(original)
        # A new time stamp, so that the next build sees the file changed back.
        os.utime(path, ns=(stat.st_atime_ns, max(stat.st_mtime_ns, time.time_ns())))


def read_catchers(path):
    """Which test caught each fault in earlier runs (kept in the build folder)."""
    try:
        with open(path, encoding="utf-8") as f:
            return dict(json.load(f))
    except (OSError, ValueError, TypeError):
        return {}


def write_catchers(path, catchers):
    with open(path + ".new", "w", encoding="utf-8") as f:
        json.dump(catchers, f, indent=0, sort_keys=True)
    os.replace(path + ".new", path)


def alone(build):
    """Prints, per test function, the faults it is the only failing function of
    its test for: a function that catches none alone adds nothing the list can see."""
    catchers = read_catchers(os.path.join(build, "mutate-catchers.json"))
    functions = read_catchers(os.path.join(build, "mutate-functions.json"))
    counts = collections.defaultdict(list)
    for fault, failed in functions.items():
        if len(failed) == 1 and fault in catchers:
            counts[(catchers[fault], failed[0])].append(fault)
    seen = collections.defaultdict(set)
    for fault, failed in functions.items():
        for name in failed:
            seen[catchers.get(fault)].add(name)
    for test in sorted(t for t in seen if t):
        for name in sorted(seen[test]):
            faults = counts.get((test, name), [])
            print("%-28s %-36s %3d %s" % (test, name, len(faults), " ".join(sorted(faults))))
    return 0


def check(faults):
    """Lists the faults whose text does not occur exactly once; 1 if any."""
    stale = 0
    for fault in faults:
        with open(os.path.join(ROOT, fault.file), encoding="utf-8") as f:
            count = f.read().count(fault.find)
        if count != 1:
            stale += 1
            print("stale: %s (%s): the text occurs %d times" % (fault.id, fault.where, count))
    print("%d of %d faults match their files" % (len(faults) - stale, len(faults)))
    return 1 if stale else 0


def stop(signum, frame):
    """A stop by signal puts the planted file back, as Ctrl+C does."""
    raise KeyboardInterrupt


def last_lines(text, count):
    return "\n".join(text.rstrip().split("\n")[-count:])


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--list", default=os.path.join(ROOT, "scripts", "mutations.txt"))
    parser.add_argument("--only", help="only the faults whose id contains this word")
    parser.add_argument("--folder", help="only the faults of this source folder")
    parser.add_argument("--verbose", action="store_true", help="show why a build failed")
    parser.add_argument("--check", action="store_true",
                        help="only list the faults whose text no longer occurs once")
    parser.add_argument("--alone", action="store_true",
                        help="only tell which test functions alone caught which faults")
    args = parser.parse_args()
    signal.signal(signal.SIGTERM, stop)
    if args.alone:
        return alone(args.build)

    faults = read_list(args.list)
    if args.only:
        faults = [f for f in faults if args.only in f.id]
    if args.folder:
        faults = [f for f in faults if f.folder == args.folder]
    if not faults:
        raise SystemExit("no fault to plant")
    if args.check:
        return check(faults)
    if not shutil.which("ctest"):
        raise SystemExit("ctest is not on PATH")
    status, out = run(["cmake", "--build", args.build], ROOT)
    if status != 0:
        raise SystemExit("the unchanged tree does not build:\n" + last_lines(out, 20))
    all_tests = ctest_names(args.build)
    targets = build_targets(args.build)

    catchers_path = os.path.join(args.build, "mutate-catchers.json")
    catchers = read_catchers(catchers_path)
    functions_path = os.path.join(args.build, "mutate-functions.json")
    functions = read_catchers(functions_path)
    results = []
    started = time.time()
    for number, fault in enumerate(faults, 1):
        verdict, detail = try_fault(fault, args.build, all_tests, targets,
                                    (catchers, functions), args.verbose)
        results.append((fault, verdict))
        print("%3d/%d %-9s %-40s %s" % (number, len(faults), verdict, fault.id, detail),
              flush=True)
        write_catchers(catchers_path, catchers)
        write_catchers(functions_path, functions)
    # Leave the build as the unchanged tree makes it.
    run(["cmake", "--build", args.build], ROOT)
    report(results, time.time() - started)
    return 0


def report(results, seconds):
    by_folder = collections.OrderedDict()
    for fault, verdict in sorted(results, key=lambda r: r[0].folder):
        by_folder.setdefault(fault.folder, collections.Counter())[verdict] += 1
    print("\n%-10s %7s %9s %5s %6s %7s" % ("folder", "caught", "survived", "void", "stale", "score"))
    total = collections.Counter()
    for folder, counts in by_folder.items():
        total.update(counts)
        print(row(folder, counts))
    print(row("all", total))
    print("%d faults in %.0f s" % (len(results), seconds))
    for fault, verdict in results:
        if verdict in ("survived", "void", "stale"):
            print("%s: %s (%s)" % (verdict, fault.id, fault.where))


def row(name, counts):
    judged = counts["caught"] + counts["survived"]
    score = "%.0f %%" % (100.0 * counts["caught"] / judged) if judged else "-"
    return "%-10s %7d %9d %5d %6d %7s" % (name, counts["caught"], counts["survived"],
                                           counts["void"], counts["stale"], score)


if __name__ == "__main__":
    sys.exit(main())
