#!/usr/bin/env python3
"""Tries each fault of scripts/mutants.txt on a scratch copy of the working tree: applies it,
rebuilds, runs the test suite and reports whether the suite caught it. Rewrites marked "~"
must leave the suite passing; a fault the program cannot be built with counts as not caught.
The tests nearest the faulty file run first and a first failure ends the run, so a caught fault
costs a rebuild and a few seconds. Usage: scripts/mutants.py [--list FILE] [name filter]...
(--list tries the faults of another file of the same form); the scratch copy
and its build live in build-mutants/ and are reused between runs."""
import os
import pathlib
import shutil
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SCRATCH = ROOT / "build-mutants"
COPY, BUILD = SCRATCH / "tree", SCRATCH / "build"


def read_mutants(listing):
    mutants, current = [], None
    for line in listing.read_text().splitlines():
        if line[:2] in ("= ", "~ "):
            current = {"fault": line[0] == "=", "name": line[2:], "file": None}
            mutants.append(current)
        elif current and line.startswith("- "):
            current["old"] = line[2:].replace("\\n", "\n")
        elif current and line.startswith("+ "):
            current["new"] = line[2:].replace("\\n", "\n")
        elif current and line.strip() and not line.startswith("#"):
            current["file"] = line.strip()
    return mutants


# The tests that run first for a fault in each folder (the labels of tests/CMakeLists.txt).
NEAREST = {"src/windows": "gui", "src/platform": "gui", "src/services": "gui", "src/cli": "cli"}


def run(args, **kw):
    return subprocess.run(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kw)


def failing_tests(faulty_file):
    """The whole suite, the faulty file's nearest tests first, up to its first failure: the
    names of the tests that failed, none when the suite passes."""
    label = NEAREST.get(str(pathlib.PurePath(faulty_file).parent), "core")
    ctest = ["ctest", "--test-dir", BUILD, "-j2", "--timeout", "120", "--stop-on-failure",
             "-E", "package_install"]
    for part in (["-L", "^%s$" % label], ["-LE", "^%s$" % label]):
        # Without the times of earlier runs the tests start in the order they are written, the
        # quick ones first, instead of the longest first; a test that failed last still leads.
        (BUILD / "Testing" / "Temporary" / "CTestCostData.txt").unlink(missing_ok=True)
        out = subprocess.run(ctest + part, capture_output=True, text=True,
                             env=dict(os.environ, CALBRINE_FAIL_FAST="1")).stdout
        if "The following tests FAILED:" in out:
            listed = out.split("The following tests FAILED:")[1].splitlines()
            return [line.split(" - ", 1)[1].rsplit(" (", 1)[0] for line in listed if " - " in line]
    return []


def by(failed):
    """The first tests that failed, for reading a verdict against a test that is flaky."""
    return "  [%s]" % ", ".join(failed[:2]) if failed else ""


def main():
    arguments = sys.argv[1:]
    listing = ROOT / "scripts" / "mutants.txt"
    if arguments[:1] == ["--list"] and len(arguments) > 1:
        listing = pathlib.Path(arguments[1]).resolve()
        arguments = arguments[2:]
    wanted = arguments or [""]
    files = subprocess.run(["git", "ls-files", "-co", "--exclude-standard"], cwd=ROOT,
                           capture_output=True, text=True, check=True).stdout.split()
    for name in files:
        target = COPY / name
        target.parent.mkdir(parents=True, exist_ok=True)
        if not target.exists() or target.read_bytes() != (ROOT / name).read_bytes():
            # A fresh time, not the original's: a build left from a fault applied when an
            # earlier run was stopped is newer than the original's time, and would stay.
            shutil.copyfile(ROOT / name, target)
    speedups = []
    if shutil.which("ccache"):
        speedups.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
    if shutil.which("ld.lld"):
        speedups += ["-DCMAKE_%s_LINKER_FLAGS=-fuse-ld=lld" % k for k in ("EXE", "SHARED")]
    # No manual page: it is made by running the program, so a fault in its command line would
    # stop the build instead of failing the command line's test.
    run(["cmake", "-S", COPY, "-B", BUILD, "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
         "-DCALBRINE_BUILD_BENCH=OFF", "-DCALBRINE_MANUAL_PAGE=OFF"]
        + speedups, check=True)
    run(["cmake", "--build", BUILD, "-j2"], check=True)
    caught = survived = 0
    for m in read_mutants(listing):
        if not any(w in m["name"] for w in wanted):
            continue
        path = COPY / m["file"]
        original = path.read_text()
        if original.count(m["old"]) != 1:
            print("NOT FOUND  %s (%s)" % (m["name"], m["file"]))
            continue
        path.write_text(original.replace(m["old"], m["new"]))
        try:
            built = run(["cmake", "--build", BUILD, "-j2"]).returncode == 0
            # The package test builds and installs a .deb; no fault on the list reaches it.
            failed = failing_tests(m["file"]) if built else []
            passed = built and not failed
        finally:
            path.write_text(original)
        if not built:
            # A fault must be one the program can be built with, or it shows nothing.
            survived += m["fault"]
            print("UNBUILT   %s" % m["name"], flush=True)
        elif m["fault"]:
            ok = not passed
            caught += ok
            survived += not ok
            print("%s  %s%s" % ("caught  " if ok else "SURVIVED", m["name"], by(failed)), flush=True)
        else:
            print("%s  %s%s" % ("same    " if passed else "BROKEN  ", m["name"], by(failed)),
                  flush=True)
    print("%d of %d faults caught" % (caught, caught + survived))
    run(["cmake", "--build", BUILD, "-j2"])
    return 1 if survived else 0


if __name__ == "__main__":
    sys.exit(main())
