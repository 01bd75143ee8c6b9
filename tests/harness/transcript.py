#!/usr/bin/env python3
"""Checks one golden transcript: runs the driver script BASE.sim through
COMMAND (the native rallo2-sim, or its WebAssembly build under Node);
standard output must equal BASE.out byte for byte, and where BASE.err exists
the run must fail with status 2 printing exactly that on standard error.
With --valgrind, the run is under memcheck too: any error, or any definite
or indirect leak, fails it.

Usage: transcript.py [--valgrind VALGRIND] BASE COMMAND..."""

import argparse
import difflib
import os
import subprocess
import sys
import tempfile

SCRIPT_ERROR_STATUS = 2
MEMCHECK_FOUND = 99
SHOWN_DIFF_LINES = 20
TIMEOUT_S = 600


def memcheck(valgrind, log):
    return [valgrind, "-q", "--error-exitcode=%d" % MEMCHECK_FOUND, "--leak-check=full",
            "--show-leak-kinds=definite,indirect", "--errors-for-leak-kinds=definite,indirect",
            "--log-file=" + log]


def differences(golden_path, seen):
    """Empty when `seen` (bytes) equals the golden file, else a short diff."""
    with open(golden_path, "rb") as f:
        golden = f.read()
    if seen == golden:
        return ""
    diff = difflib.unified_diff(golden.decode(errors="replace").splitlines(),
                                seen.decode(errors="replace").splitlines(),
                                golden_path, "this run", lineterm="")
    return "\n".join(list(diff)[:SHOWN_DIFF_LINES]) or "(they differ in line endings)"


def check(base, command, valgrind=None):
    """The faults of one run, as lines; none when it matches."""
    faults = []
    with tempfile.TemporaryDirectory(prefix="rallo2-transcript-") as work:
        log = os.path.join(work, "memcheck.log")
        prefix = memcheck(valgrind, log) if valgrind else []
        done = subprocess.run(prefix + command + [base + ".sim"], capture_output=True,
                              timeout=TIMEOUT_S)
        if valgrind and done.returncode == MEMCHECK_FOUND:
            with open(log) as f:
                faults.append("memcheck found errors:\n" + f.read().strip())
    diff = differences(base + ".out", done.stdout)
    if diff:
        faults.append("standard output differs from %s.out:\n%s" % (base, diff))
    if os.path.exists(base + ".err"):
        if done.returncode != SCRIPT_ERROR_STATUS:
            faults.append("status %d, expected %d" % (done.returncode, SCRIPT_ERROR_STATUS))
        diff = differences(base + ".err", done.stderr)
        if diff:
            faults.append("standard error differs from %s.err:\n%s" % (base, diff))
    elif done.returncode != 0:
        faults.append("status %d, expected 0:\n%s"
                      % (done.returncode, done.stderr.decode(errors="replace").strip()))
    return faults


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--valgrind", help="run under this valgrind's memcheck")
    parser.add_argument("base", help="the script's path without .sim")
    parser.add_argument("command", nargs=argparse.REMAINDER, help="the driver")
    args = parser.parse_args()
    if not args.command:
        parser.error("no driver command")
    if not os.path.exists(args.base + ".sim"):
        parser.error("no script %s.sim" % args.base)
    faults = check(args.base, args.command, args.valgrind)
    for fault in faults:
        print(fault)
    if not faults:
        print("transcript matches: %s" % os.path.basename(args.base))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
