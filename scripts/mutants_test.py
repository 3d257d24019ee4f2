#!/usr/bin/env python3
"""Tests of the fault planter: python3 -B -m unittest discover -s scripts -p '*_test.py'."""

import contextlib
import io
import tempfile
import unittest
from pathlib import Path

import mutants


def changes(line):
    """Each fault found on one line, as the line it would leave."""
    return sorted(mutants.apply(m, line) for m in mutants.line_mutants("f.cpp", 1, line, False))


class FindsFaults(unittest.TestCase):
    def test_each_kind_where_it_belongs(self):
        self.assertEqual(changes("  if (a < b)"),
                         ["  if (!(a < b))", "  if (a <= b)"])
        self.assertEqual(changes("  x += y * 2;"),
                         ["  ;", "  x += y * 1;", "  x += y * 3;", "  x += y / 2;",
                          "  x -= y * 2;"])
        self.assertEqual(changes("  return 331.3 - t;"),
                         ["  return 331.3 + t;", "  return 331.4 - t;"])

    def test_never_in_texts_comments_templates_or_declarations(self):
        for line, found in (('  report("a < b + 1");', ["  ;"]),
                            ("  char c = '-';  // 1 + 2 < 3", []),
                            ("#include <vector>", []),
                            ("  std::vector<std::pair<int, int>> v;", []),
                            ("  const char* p = q;", []),
                            ("  char buffer[64];", []),
                            ("  if (auto reason = check(v))", []),
                            ("  static_assert(kCount == 18);", []),
                            ("  return -x;", [])):
            self.assertEqual(changes(line), found, line)

    def test_every_fault_has_an_id_of_its_own(self):
        found = mutants.line_mutants("f.cpp", 3, "  if (n >= 16) x = y * 2 + 1.5;", False)
        ids = [m.ident for m in found]
        self.assertEqual(len(ids), len(set(ids)), ids)
        self.assertIn("f.cpp:3:12:constant:17", ids)
        self.assertIn("f.cpp:3:12:constant:15", ids)

    def test_raises_the_last_digit_of_a_decimal(self):
        for literal, bumped in (("331.3", "331.4"), ("1e-12", "2e-12"), ("0.99", "1.00"),
                                ("9.", "10.")):
            self.assertEqual(mutants.bumped_decimal(literal), bumped)


class RestoresFiles(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.file = Path(self.folder.name) / "unit.cpp"
        self.file.write_text("int f() { return 1 + 2; }\n")
        self.journal = Path(self.folder.name) / "journal.json"
        self.mutant = mutants.Mutant(str(self.file), 1, 19, 20, "-", "arithmetic")

    def tearDown(self):
        self.folder.cleanup()

    def test_after_the_block_even_when_it_fails(self):
        with self.assertRaises(KeyboardInterrupt):
            with mutants.PlantedFault(self.mutant, self.journal):
                self.assertEqual(self.file.read_text(), "int f() { return 1 - 2; }\n")
                raise KeyboardInterrupt
        self.assertEqual(self.file.read_text(), "int f() { return 1 + 2; }\n")
        self.assertFalse(self.journal.exists())

    def test_from_the_journal_of_a_run_killed_outright(self):
        fault = mutants.PlantedFault(self.mutant, self.journal)
        fault.__enter__()  # and never left
        mutants.restore_from_journal(self.journal)
        self.assertEqual(self.file.read_text(), "int f() { return 1 + 2; }\n")

    def test_but_not_over_someone_elses_edit(self):
        fault = mutants.PlantedFault(self.mutant, self.journal)
        fault.__enter__()
        self.file.write_text("int f() { return 3; }\n")
        with contextlib.redirect_stderr(io.StringIO()) as said:
            mutants.restore_from_journal(self.journal)
        self.assertIn("left as it is", said.getvalue())
        self.assertEqual(self.file.read_text(), "int f() { return 3; }\n")
        self.assertFalse(self.journal.exists())


if __name__ == "__main__":
    unittest.main()
