#!/usr/bin/env python3
"""Counts what the test command ran, case by case.

  test-summary.py cases JUNIT
      lists the cases of each test in ctest's JUnit file that ran a whole test program (the
      Qt Test programs, and the Windows programs, each run once under Wine because every start
      of Wine is slow), as ctest lists the cases it runs one by one;
  test-summary.py total [--ctest NAME JUNIT | --list NAME FILE]...
      prints each suite's count, the skipped cases with their reason and the failed ones, and
      last, alone on its line, the total: "N passed, M failed" and ", K skipped" where any.
      A --list FILE holds one case a line: passed, failed or skipped, a tab, its name, and for
      a skipped case a tab and the reason. A missing file counts as one failure: the suite
      did not get as far as its results. Exits with 1 when any case failed.
"""
import argparse
import re
import sys
import xml.etree.ElementTree as ElementTree
from dataclasses import dataclass

GTEST_END = re.compile(r"^\[ +(OK|FAILED|SKIPPED) +\] (\S+?)(?:, where .*)? \(\d+ ms\)$")
GTEST_START = re.compile(r"^\[ RUN +\] (\S+)$")
GTEST_SKIP_PLACE = re.compile(r":\d+: Skipped$")
QTEST_RESULT = re.compile(r"^(PASS|FAIL!|XPASS|SKIP) +: (\S+::\w+\(.*?\))(?: (.*))?$")
GTEST_RESULTS = {"OK": "passed", "FAILED": "failed", "SKIPPED": "skipped"}
QTEST_RESULTS = {"PASS": "passed", "FAIL!": "failed", "XPASS": "failed", "SKIP": "skipped"}


@dataclass
class TCase:
    name: str
    result: str
    reason: str = ""


def gtest_cases(lines):
    """The cases of a GoogleTest program's output; one that started and never ended failed."""
    cases, started, said = [], None, []
    for line in lines:
        if match := GTEST_START.match(line):
            started, said = match.group(1), []
        elif (match := GTEST_END.match(line)) and match.group(2) == started:
            cases.append(TCase(started, GTEST_RESULTS[match.group(1)], " ".join(said)))
            started = None
        elif started and line.strip() and not GTEST_SKIP_PLACE.search(line):
            said.append(line.strip())
    if started:
        cases.append(TCase(started, "failed", "ended before its result"))
    return cases


def qtest_cases(lines):
    return [TCase(match.group(2), QTEST_RESULTS[match.group(1)], match.group(3) or "")
            for line in lines if (match := QTEST_RESULT.match(line))]


def ctest_cases(testcase):
    """The cases that one ctest test ran: those its output reports, else the test itself. A
    program that fails once its cases have passed (a sanitizer's report at exit) fails too."""
    lines = (testcase.findtext("system-out") or "").splitlines()
    status, name = testcase.get("status"), testcase.get("name")
    cases = gtest_cases(lines) or qtest_cases(lines)
    failed = status == "fail" or (status == "notrun" and not skipped_by_test(testcase))
    if not cases:
        return [TCase(name, "failed" if failed else "passed" if status == "run" else "skipped")]
    if failed and all(case.result != "failed" for case in cases):
        cases.append(TCase(name, "failed", "the program failed after its cases"))
    return cases


def skipped_by_test(testcase):
    skipped = testcase.find("skipped")
    return skipped is not None and skipped.get("message", "").startswith("SKIP")


def read_ctest(path):
    """ctest's tests from its JUnit file, each with the cases it ran."""
    try:
        return [(test.get("name"), ctest_cases(test))
                for test in ElementTree.parse(path).getroot().iter("testcase")]
    except (OSError, ElementTree.ParseError):
        return [(path, [TCase(path, "failed", "no test results")])]


def read_list(path):
    try:
        with open(path, encoding="utf-8") as file:
            fields = [line.rstrip("\n").split("\t") for line in file if line.strip()]
    except OSError:
        return [TCase(path, "failed", "no results")]
    return [TCase(field[1], field[0], field[2] if len(field) > 2 else "") for field in fields]


def count_text(cases):
    counts = {result: sum(case.result == result for case in cases)
              for result in ("passed", "failed", "skipped")}
    text = f"{counts['passed']} passed, {counts['failed']} failed"
    return text + (f", {counts['skipped']} skipped" if counts["skipped"] else "")


def print_cases(path):
    for test, cases in read_ctest(path):
        if len(cases) > 1:
            print(f"{test}: {count_text(cases)}")
            for case in cases:
                reason = f": {case.reason}" if case.result == "skipped" else ""
                print(f"  {case.result:<8} {case.name}{reason}")


def suite_cases(kind, path):
    if kind == "list":
        return read_list(path)
    return [TCase(case.name if case.name == test else f"{test}: {case.name}", case.result, case.reason)
            for test, cases in read_ctest(path) for case in cases]


def print_total(suites):
    every = []
    for kind, name, path in suites:
        cases = suite_cases(kind, path)
        print(f"{name}: {count_text(cases)}")
        every += [(name, case) for case in cases]
    for result, heading in (("skipped", "Skipped"), ("failed", "Failed")):
        listed = [(name, case) for name, case in every if case.result == result]
        if listed:
            print(f"{heading}:")
            for name, case in listed:
                print(f"  {name}: {case.name}" + (f": {case.reason}" if case.reason else ""))
    print(count_text([case for _, case in every]))
    return any(case.result == "failed" for _, case in every)


class TSuiteAction(argparse.Action):
    def __call__(self, parser, namespace, values, option_string=None):
        namespace.suites.append((self.dest, *values))


def main():
    parser = argparse.ArgumentParser(description="Counts what the test command ran.")
    commands = parser.add_subparsers(dest="command", required=True)
    commands.add_parser("cases").add_argument("junit")
    total = commands.add_parser("total")
    total.set_defaults(suites=[])
    for kind, path in (("ctest", "JUNIT"), ("list", "FILE")):
        total.add_argument(f"--{kind}", dest=kind, nargs=2, metavar=("NAME", path), action=TSuiteAction)
    arguments = parser.parse_args()
    if arguments.command == "cases":
        print_cases(arguments.junit)
        return 0
    return 1 if print_total(arguments.suites) else 0


if __name__ == "__main__":
    sys.exit(main())
