"""The one runner of test cases: each case in a session of its own, one PASS
or FAIL line each (a failure with its screenshot and what the game and the
servers said), everything started ended also when a check fails."""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import time
import traceback

from .checks import WINDOW_DEADLINE, Failure
from .process import die_with_parent
from .session import Session
from .xvfb import Xvfb

INDENT = "\n     "


def run_case(name, case, open_session):
    """Runs `case(session)`; returns whether it passed. Any error fails the
    case alone; one that is not a check's failure comes with its traceback."""
    started = time.monotonic()
    session = None
    try:
        session = open_session(name)
        case(session)
        print("PASS %s (%.1f s)" % (name, time.monotonic() - started))
        return True
    except Exception as failure:  # noqa: BLE001 (the next case still runs)
        kept = session and session.keep_failure()
        print("FAIL %s: %s" % (name, failure if isinstance(failure, Failure) else repr(failure)))
        if kept:
            print("     screenshot: %s" % kept)
        lines = session.report() if session else []
        if not isinstance(failure, (Failure, subprocess.TimeoutExpired)):
            lines.append(traceback.format_exc().strip())
        for line in lines:
            print("     " + line.replace("\n", INDENT))
        return False
    finally:
        if session:
            session.close()
        sys.stdout.flush()


def in_own_process(run):
    """Runs `run()` in a forked child (for libraries that keep their first
    connection for the life of the process); returns what it returned."""
    sys.stdout.flush()
    child = os.fork()
    if child == 0:
        die_with_parent(signal.SIGTERM)()
        passed = False
        try:
            passed = run()
        finally:
            sys.stdout.flush()
            os._exit(0 if passed else 1)
    return os.waitpid(child, 0)[1] == 0


def run_cases(cases, names, open_session, own_process=False):
    """Runs the named cases in turn; returns the exit status."""
    # Ended from outside (ctest's timeout): still end what was started.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(2))
    failed = []
    for name in names:
        run = lambda: run_case(name, cases[name], open_session)  # noqa: E731
        if not (in_own_process(run) if own_process else run()):
            failed.append(name)
    if failed:
        print("failed: %s" % ", ".join(failed))
        return 1
    return 0


def main(cases, doc, needs=Xvfb.NEEDS, default=None, own_process=False, display=None):
    """The command line of a file of cases: `--game` (or `--build`) and the
    other Session keywords, then the cases to run (default: `default`, else
    all); `display(case)` names the display a case draws on (default Xvfb).
    Returns the exit status."""
    parser = argparse.ArgumentParser(description=doc.splitlines()[0])
    parser.add_argument("--game", help="the rallo2 program (default: BUILD/rallo2)")
    parser.add_argument("--game-arg", action="append", default=[], dest="game_args",
                        help="an argument for the program (repeatable)")
    parser.add_argument("--sim", help="rallo2-sim, which reports the court (default: beside"
                        " the game)")
    parser.add_argument("--build", help="the build folder")
    parser.add_argument("--shots", help="folder for screenshots of failures and milestones")
    parser.add_argument("--window-timeout", type=float, default=WINDOW_DEADLINE,
                        help="seconds to wait for the play window")
    parser.add_argument("case", nargs="*", help="cases to run (default: %s): %s"
                        % ("all" if default is None else ", ".join(default), ", ".join(cases)))
    args = parser.parse_args()
    unknown = [name for name in args.case if name not in cases]
    if unknown:
        parser.error("unknown case: " + ", ".join(unknown))
    if not (args.game or args.build):
        parser.error("--game or --build is needed")
    for tool in needs:
        if not (os.access(tool, os.X_OK) or shutil.which(tool)):
            print("FAIL: %s is not installed (scripts/install-deps installs it)" % tool)
            return 1
    settings = {key: value for key, value in vars(args).items() if key != "case"}
    if settings["build"]:
        settings["build"] = os.path.abspath(settings["build"])
    names = args.case or default or list(cases)
    return run_cases(cases, names, lambda name: Session(
        name, display=display(name) if display else "xvfb", **settings), own_process)
