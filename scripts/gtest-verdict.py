#!/usr/bin/env python3
"""The verdict of one GoogleTest program run by wine-test.sh.

    gtest-verdict.py LIST XML LOG STATUS ENDED PROGRAM [ARGUMENT...]

LIST is the program's --gtest_list_tests output, XML the result file the
program was told to write (missing when it never got there), LOG its console
output, STATUS its exit status, ENDED why the runner ended it ("" when it
exited by itself, "limit" at the time limit, "lingered" when it did not exit
after writing its result). The arguments it ran with follow.

The tests announced are the listed ones less the disabled ones (unless the run
also runs those); every one of them must have run according to the XML, which
only the program itself was told of. Prints each skipped test, the messages of
failed tests, the problems found, and one closing line "N passed, N failed[,
N skipped]"; exits 1 when the run failed.
"""
import os
import re
import sys
import xml.etree.ElementTree as ET

SUITE = re.compile(r"^([\w/]+)\.(\s+#.*)?$")
TEST = re.compile(r"^  ([\w/]+)(\s+#.*)?$")
# "[ RUN      ] A.B", "[       OK ] A.B (3 ms)", "[  FAILED  ] A.B, where ... (3 ms)"
STEP = re.compile(r"^\[ *(RUN|OK|FAILED|SKIPPED) *\] ([\w/]+\.[\w/]+)")


def read(path):
    try:
        with open(path, encoding="utf-8", errors="replace") as f:
            return f.read().replace("\r", "")
    except OSError:
        return ""


def also_runs_disabled(arguments):
    flag = os.environ.get("GTEST_ALSO_RUN_DISABLED_TESTS", "0") not in ("", "0")
    for a in arguments:
        if a in ("--gtest_also_run_disabled_tests", "--gtest_also_run_disabled_tests=1"):
            flag = True
        elif a == "--gtest_also_run_disabled_tests=0":
            flag = False
    return flag


def announced_tests(listing, with_disabled):
    """The full names of the tests the run is to run, in listed order."""
    names, suite = [], None
    for line in listing.splitlines():
        m = SUITE.match(line)
        if m:
            suite = m.group(1)
            continue
        m = TEST.match(line)
        if m and suite:
            disabled = suite.split("/")[-1].startswith("DISABLED_") or m.group(1).startswith(
                "DISABLED_"
            )
            if with_disabled or not disabled:
                names.append(suite + "." + m.group(1))
    return names


def results(xml_path):
    """{name: (outcome, message)} of the tests the XML says ran; None without
    a complete file."""
    try:
        root = ET.parse(xml_path).getroot()
    except (OSError, ET.ParseError):
        return None
    ran = {}
    for case in root.iter("testcase"):
        if case.get("status") != "run":
            continue
        name = case.get("classname", "") + "." + case.get("name", "")
        failure = case.find("failure")
        skipped = case.find("skipped")
        if failure is not None:
            ran[name] = ("failed", failure.get("message", ""))
        elif case.get("result") == "skipped" or skipped is not None:
            text = skipped.get("message", "") if skipped is not None else ""
            ran[name] = ("skipped", text)
        else:
            ran[name] = ("passed", "")
    return ran


def open_tests(log):
    """Tests the console shows started and not finished, in start order."""
    running = {}
    for line in log.splitlines():
        m = STEP.match(line)
        if not m:
            continue
        if m.group(1) == "RUN":
            running[m.group(2)] = True
        else:
            running.pop(m.group(2), None)
    return list(running)


def first_line(text):
    lines = [l.strip() for l in text.splitlines() if l.strip()]
    return lines[-1] if lines else ""


def print_failures(ran, limit=5, width=2000):
    """Repeats the messages of the first failed tests next to the closing
    line: a CI log shortened in the middle keeps its end, not the test's."""
    failed = [(n, m) for n, (outcome, m) in ran.items() if outcome == "failed"]
    for name, message in failed[:limit]:
        text = message if len(message) <= width else message[:width] + " ..."
        print("wine-test: failure of %s:\n%s" % (name, text))
    if len(failed) > limit:
        print("wine-test: and %d more failed tests" % (len(failed) - limit))


def main():
    list_path, xml_path, log_path, status, ended, program = sys.argv[1:7]
    arguments = sys.argv[7:]
    status = int(status)
    announced = announced_tests(read(list_path), also_runs_disabled(arguments))
    ran = results(xml_path)
    log = read(log_path)
    problems = []

    running = open_tests(log)
    where = (" while running " + ", ".join(running)) if running else ""
    if ended == "limit":
        problems.append("did not finish within its time limit; ended by the runner" + where)
    elif ran is None:
        problems.append(
            "ended (exit status %d) without writing its result%s" % (status, where)
        )
    elif status != 0 and ended != "lingered":
        problems.append("exit status %d" % status)
    if ended == "lingered":
        print("wine-test: %s wrote its result but did not exit within 30 s; ended it" % program)

    wrote = ran is not None
    ran = ran or {}
    missing = [n for n in announced if n not in ran]
    foreign = [n for n in ran if n not in set(announced)]
    if not announced:
        problems.append("announced no test (its listing failed or is empty)")
    if wrote and missing:
        problems.append(
            "ran %d of the %d tests it announced; not run: %s"
            % (len(announced) - len(missing), len(announced), ", ".join(missing[:10]))
            + (" ..." if len(missing) > 10 else "")
        )
    if foreign:
        problems.append("its result names tests it did not announce: " + ", ".join(foreign[:10]))

    counts = {"passed": 0, "failed": 0, "skipped": 0}
    for name in announced:
        outcome = ran.get(name, ("failed", ""))
        counts[outcome[0]] += 1
        if outcome[0] == "skipped":
            print("wine-test: skipped %s: %s" % (name, first_line(outcome[1])))
    if counts["failed"] and not problems:
        problems.append("%d failed" % counts["failed"])
    if problems and not counts["failed"]:
        counts["failed"] = 1  # the run itself

    print_failures(ran)
    for problem in problems:
        print("wine-test: %s FAILED: %s" % (program, problem))
    closing = "%d passed, %d failed" % (counts["passed"], counts["failed"])
    if counts["skipped"]:
        closing += ", %d skipped" % counts["skipped"]
    print(closing)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
