"""The test command's summary: what it reads from ctest's results and the suites' lists."""
import importlib.util
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

LOCATION = importlib.util.spec_from_file_location("test_summary", sys.argv.pop(1))
summary = importlib.util.module_from_spec(LOCATION)
LOCATION.loader.exec_module(summary)

GTEST_OUTPUT = """Running main() from gtest_main.cc
[ RUN      ] Suite.Passes
[       OK ] Suite.Passes (0 ms)
[ RUN      ] Suite.Fails/1
file.cpp:12: Failure
[  FAILED  ] Suite.Fails/1, where GetParam() = 4 (1 ms)
[ RUN      ] Suite.Skips
C:\\d\\file.cpp:30: Skipped
no /dev/full here
[  SKIPPED ] Suite.Skips (0 ms)
[ RUN      ] Suite.Crashes
[  SKIPPED ] 1 test, listed below:
[  SKIPPED ] Suite.Skips
"""

QTEST_OUTPUT = """********* Start testing of TTest *********
PASS   : TTest::initTestCase()
QWARN  : TTest::keys() a warning
FAIL!  : TTest::keys(Tab (at start)) Compared values are not the same
   Loc: [test.cpp(12)]
SKIP   : TTest::drop() no clipboard here
XPASS  : TTest::expected() passed
Totals: 1 passed, 2 failed, 1 skipped, 0 blacklisted, 5ms
"""


def results(cases):
    return [(case.name, case.result, case.reason) for case in cases]


def testcase(status, output="", skipped=None):
    element = ElementTree.Element("testcase", name="test", status=status)
    ElementTree.SubElement(element, "system-out").text = output
    if skipped is not None:
        ElementTree.SubElement(element, "skipped", message=skipped)
    return element


class TSummaryTest(unittest.TestCase):
    def test_gtest_output_case_by_case(self):
        self.assertEqual(results(summary.gtest_cases(GTEST_OUTPUT.splitlines())), [
            ("Suite.Passes", "passed", ""),
            ("Suite.Fails/1", "failed", "file.cpp:12: Failure"),
            ("Suite.Skips", "skipped", "no /dev/full here"),
            ("Suite.Crashes", "failed", "ended before its result"),
        ])

    def test_qtest_output_case_by_case(self):
        self.assertEqual(results(summary.qtest_cases(QTEST_OUTPUT.splitlines())), [
            ("TTest::initTestCase()", "passed", ""),
            ("TTest::keys(Tab (at start))", "failed", "Compared values are not the same"),
            ("TTest::drop()", "skipped", "no clipboard here"),
            ("TTest::expected()", "failed", "passed"),
        ])

    def test_ctest_status_where_the_output_tells_no_cases(self):
        cases = [
            (testcase("run"), [("test", "passed", "")]),
            (testcase("fail"), [("test", "failed", "")]),
            (testcase("notrun", skipped="SKIP_REGULAR_EXPRESSION_MATCHED"), [("test", "skipped", "")]),
            (testcase("notrun", skipped="Unable to find executable"), [("test", "failed", "")]),
            (testcase("disabled", skipped="Disabled"), [("test", "skipped", "")]),
            (testcase("fail", "[ RUN      ] A.B\n[       OK ] A.B (0 ms)\n"),
             [("A.B", "passed", ""), ("test", "failed", "the program failed after its cases")]),
        ]
        for element, expected in cases:
            with self.subTest(status=element.get("status")):
                self.assertEqual(results(summary.ctest_cases(element)), expected)

    def test_counts_and_missing_results(self):
        passed, failed, skipped = (summary.TCase("c", result) for result in ("passed", "failed", "skipped"))
        self.assertEqual(summary.count_text([passed, passed, failed]), "2 passed, 1 failed")
        self.assertEqual(summary.count_text([passed, skipped]), "1 passed, 0 failed, 1 skipped")
        with tempfile.TemporaryDirectory() as folder:
            self.assertEqual(results(summary.read_list(f"{folder}/none.txt"))[0][1], "failed")
            self.assertEqual(results(summary.read_ctest(f"{folder}/none.xml")[0][1])[0][1], "failed")
            with open(f"{folder}/list.txt", "w", encoding="utf-8") as file:
                file.write("passed\tzip\nskipped\tfuzz\tno clang\n")
            self.assertEqual(results(summary.read_list(f"{folder}/list.txt")),
                             [("zip", "passed", ""), ("fuzz", "skipped", "no clang")])


if __name__ == "__main__":
    unittest.main()
