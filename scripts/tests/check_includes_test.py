"""scripts/check-includes on small trees: with and without a cycle."""
import subprocess
import sys
import unittest
from pathlib import Path

HERE = Path(__file__).resolve().parent
CHECK = HERE.parent / "check-includes"
TREES = HERE / "include-cycles"


def run(*args):
    result = subprocess.run([sys.executable, str(CHECK), *map(str, args)],
                            capture_output=True, text=True, timeout=60)
    return result.returncode, result.stdout + result.stderr


class CheckIncludes(unittest.TestCase):
    def test_a_tree_without_a_cycle_passes(self):
        # Units that include each other's headers one way, a folder's own
        # include/ folder, another folder's include/ folder, a header that is
        # not in the tree, and tests that use a folder depending on theirs.
        status, output = run(TREES / "acyclic")
        self.assertEqual(status, 0, output)
        self.assertIn("no include cycle", output)

    def test_cycles_fail_and_are_printed(self):
        cases = [
            ("unit-cycle", ["unit cycle among 2: unit-cycle/a/x, unit-cycle/a/y",
                            "unit-cycle/a/x.cpp includes unit-cycle/a/y.h",
                            "unit-cycle/a/y.cpp includes unit-cycle/a/x.h"]),
            ("folder-cycle", ["folder cycle among 2: folder-cycle/a, folder-cycle/b",
                              "folder-cycle/a/p.h includes folder-cycle/b/q.h",
                              "folder-cycle/b/r.h includes folder-cycle/a/s.h"]),
        ]
        for tree, lines in cases:
            with self.subTest(tree=tree):
                status, output = run(TREES / tree)
                self.assertEqual(status, 1, output)
                for line in lines:
                    self.assertIn(line, output)
                self.assertNotIn("tests", output)

    def test_report_only_prints_and_passes(self):
        status, output = run("--report-only", TREES / "unit-cycle")
        self.assertEqual(status, 0, output)
        self.assertIn("unit cycle among 2", output)

    def test_every_tree_is_checked(self):
        status, output = run(TREES / "acyclic", TREES / "folder-cycle")
        self.assertEqual(status, 1, output)
        self.assertIn("folder cycle among 2", output)

    def test_a_missing_folder_is_an_error(self):
        status, output = run(TREES / "none")
        self.assertEqual(status, 2, output)
        self.assertIn("is not a folder", output)


if __name__ == "__main__":
    unittest.main()
