#!/usr/bin/env python3
"""Tests of the build comparison: python3 -B -m unittest discover -s scripts -p '*_test.py'."""

import collections
import random
import unittest

import compare_builds as cb


class ReadsTheTools(unittest.TestCase):
    def test_catalogue_rows(self):
        for text, expected in (
                ("1\tVORLIX\tIt converts raw amplitude to dBs\tvorlix.exe\n"
                 "7\tFENZO\tthe amplitude [dB], \"quoted\"\tfenzo.exe\n",
                 ["vorlix.exe", "fenzo.exe"]),
                ("5\tPELUNDA\tIt converts Watts to dBs\tpelundA.exe", ["pelundA.exe"]),
                ("", ValueError),
                ("1\tVORLIX\tvorlix.exe\n", ValueError),
                ("1\tVORLIX\ta\tb\tvorlix.exe\n", ValueError),
                ("1\tVORLIX\tIt converts\t\n", ValueError)):
            if expected is ValueError:
                self.assertRaises(ValueError, cb.tool_commands, text)
            else:
                self.assertEqual(cb.tool_commands(text), expected, text)

    def test_usage_lines(self):
        for line, expected in (
                ("usage: vorlix.exe AMPLITUDE [REFERENCE=1|SPL|dBu|dBV]",
                 [("AMPLITUDE", True, ()), ("REFERENCE", False, ("SPL", "dBu", "dBV"))]),
                ("usage: zirr.exe CARRIER_HZ MODULATOR_HZ [INDEX=1] [COUNT]",
                 [("CARRIER_HZ", True, ()), ("MODULATOR_HZ", True, ()),
                  ("INDEX", False, ()), ("COUNT", False, ())]),
                ("usage: rumbeldv.exe DIVISIONS [START_HZ=261.626] [A4_HZ=440]",
                 [("DIVISIONS", True, ()), ("START_HZ", False, ()), ("A4_HZ", False, ())])):
            arguments = [(a.name, a.required, a.words) for a in cb.parse_usage(line)]
            self.assertEqual(arguments, expected, line)


def tool(required, optional):
    arguments = ([cb.Argument(f"R{i}", True) for i in range(required)] +
                 [cb.Argument(f"O{i}", False) for i in range(optional)])
    return cb.Tool("t.exe", arguments, pitch=False)


class DrawsCases(unittest.TestCase):
    def test_batch_lines_give_every_count_and_too_few_or_too_many(self):
        for required, optional in ((1, 1), (2, 0), (3, 2)):
            shape = tool(required, optional)
            rng = random.Random(1)
            counts = collections.Counter(len(cb.batch_line(shape, rng).split())
                                         for _ in range(3000))
            total = required + optional
            # A batch line is never empty (it would be skipped, not compared).
            lowest = 1 if required > 1 else required
            self.assertEqual(set(counts), set(range(lowest, total + 4)), (required, optional))

    def test_runs_keep_each_option_with_its_value(self):
        shape = cb.Tool("p.exe", [cb.Argument("F", True)], pitch=True)
        rng = random.Random(2)
        seen = collections.Counter()
        for _ in range(2000):
            arguments, stdin = cb.argv_case(shape, rng)
            for i, argument in enumerate(arguments):
                if argument == "--middle-c" and i + 1 < len(arguments):
                    seen["middle-c " + arguments[i + 1]] += 1
                if argument == "--format" and i + 1 < len(arguments):
                    seen["format " + arguments[i + 1]] += 1
            seen["interactive" if stdin else "arguments"] += 1
        for kind in ("middle-c C3", "middle-c C4", "format text", "format csv", "format json",
                     "interactive", "arguments"):
            self.assertGreater(seen[kind], 20, kind)


def outcome(stdout=b"", stderr=b"", status=0):
    return cb.Outcome(stdout, stderr, status)


class FakeComparison(cb.Comparison):
    """Old echoes its input; new differs where `fault` says, for the lines it is given."""

    def __init__(self, fault):
        super().__init__(None, None, None)
        self.fault = fault

    def both(self, command, arguments, stdin, timeout):
        lines = stdin.decode().splitlines()
        new = b"changed" if self.fault(lines) else stdin
        return outcome(stdin), outcome(new)


class FindsTheLinesThatDiffer(unittest.TestCase):
    def search(self, fault, lines):
        comparison = FakeComparison(fault)
        found, stopped = comparison.batch_differences(
            "t.exe", [], lines, comparison.both("t.exe", [], cb.batch_input(lines), 1))
        return [line for line, _, _ in found], stopped

    def test_alone_together_and_beyond_the_limit(self):
        lines = [str(i) for i in range(100)]
        self.assertEqual(self.search(lambda chunk: bool({"17", "80"} & set(chunk)), lines),
                         (["17", "80"], False))
        # Lines 3 and 90 differ only in the same batch: the whole batch is reported.
        self.assertEqual(self.search(lambda chunk: {"3", "90"} <= set(chunk), lines),
                         ([None], False))
        bad = [str(i) for i in range(0, 100, 7)]
        found, stopped = self.search(lambda chunk: bool(set(bad) & set(chunk)), lines)
        self.assertEqual((found, stopped), (bad[:cb.MOST_FOUND_PER_BATCH], True))


class ShowsWhereOutcomesPart(unittest.TestCase):
    def test_first_differing_line_and_statuses(self):
        self.assertEqual(cb.short_diff(outcome(b"a\nb\nc\n", b"", 0),
                                       outcome(b"a\nB\nC\n", b"", 0)),
                         "    stdout line 2 (2 of 4 lines differ)\n"
                         "      old: b\n      new: B")
        self.assertEqual(cb.short_diff(outcome(b"x,1\r\n"), outcome(b"x,1\n", b"", 2)),
                         "    stdout line 1 (1 of 2 lines differ)\n"
                         "      old: 'x,1\\r'\n      new: x,1\n"
                         "    status: old 0, new 2")
        timed_out = outcome(status="timeout")
        self.assertTrue(cb.differ(timed_out, timed_out))
        self.assertEqual(cb.short_diff(timed_out, timed_out),
                         "    status: old timeout, new timeout")


if __name__ == "__main__":
    unittest.main()
