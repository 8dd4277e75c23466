#!/usr/bin/env python3
"""The command reference is complete and current, and its checker finds what it should."""

import filecmp
import os
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.abspath(sys.argv.pop(1) if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", ".."))
SCRIPT = os.path.join(ROOT, "scripts", "make-reference")


def run(*args):
    return subprocess.run([sys.executable, SCRIPT, *args], capture_output=True, text=True)


class RealHeaders(unittest.TestCase):
    def test_every_command_has_a_complete_entry(self):
        result = run("--check")
        self.assertEqual(result.returncode, 0, "commands without a complete /// entry:\n" + result.stdout)

    def test_pages_match_the_headers(self):
        with tempfile.TemporaryDirectory() as out:
            self.assertEqual(run("--out", out).returncode, 0)
            committed = os.path.join(ROOT, "docs", "reference")
            made = sorted(os.listdir(out))
            self.assertTrue(os.path.isdir(committed), "docs/reference is missing; run scripts/make-reference")
            self.assertEqual(sorted(os.listdir(committed)), made,
                             "docs/reference holds other pages than the headers give; run scripts/make-reference")
            _, mismatch, errors = filecmp.cmpfiles(committed, out, made, shallow=False)
            self.assertEqual(mismatch + errors, [],
                             "docs/reference is out of date (%s); run scripts/make-reference" % ", ".join(mismatch + errors))

    def test_pages_are_the_same_on_every_run(self):
        with tempfile.TemporaryDirectory() as a, tempfile.TemporaryDirectory() as b:
            run("--out", a)
            run("--out", b)
            _, mismatch, errors = filecmp.cmpfiles(a, b, sorted(os.listdir(a)), shallow=False)
            self.assertEqual(mismatch + errors, [])


HEADER = """// Commands of a made-up subsystem.
#pragma once

struct Settings {
    int width = 0;
    void Method(int a);  // members are not commands
};

namespace tvk {
void Helper(int x);
}

/// Draws one thing.
/// x: left edge, pixels
void Draw(int x);
void Draw(double x);

/// Counts.
/// Returns: how many
int Count();
%s
template <class T>
void Draw(T x) {
    (void)x;
}
"""


class Checker(unittest.TestCase):
    """The checker run on small headers: each case adds one thing to a complete header."""

    def problems(self, extra):
        with tempfile.TemporaryDirectory() as d:
            with open(os.path.join(d, "thing.h"), "w") as f:
                f.write(HEADER % extra)
            result = run("--headers", d, "--check")
            lines = result.stdout.strip().split("\n")[:-1]
            self.assertEqual(result.returncode != 0, bool(lines))
            return lines

    def test_complete_header_passes(self):
        self.assertEqual(self.problems(""), [])

    def test_declaration_without_entry_fails(self):
        for extra in ["void Added(int n);",
                      "[[noreturn]] void Added();",
                      "template <class T>\nT Added(const T& v, int n = 0);",
                      "int Added(int a,\n          int b);"]:
            with self.subTest(extra=extra):
                found = self.problems(extra)
                self.assertEqual(len(found), 1, found)
                self.assertIn("Added: no /// entry", found[0])

    def test_other_name_right_after_an_entry_needs_its_own(self):
        found = self.problems("/// Sets.\n/// n: the value\nvoid Set(int n);\nvoid Reset();")
        self.assertEqual(len(found), 1, found)
        self.assertIn("Reset: no /// entry", found[0])

    def test_blank_line_ends_an_overload_group(self):
        found = self.problems("/// Sets.\n/// n: the value\nvoid Set(int n);\n\nvoid Set(double n);")
        self.assertEqual(len(found), 1, found)
        self.assertIn("Set: no /// entry", found[0])

    def test_incomplete_entries_fail(self):
        cases = {
            "/// Sets.\nvoid Set(int n, int m);": ["'n' has no line", "'m' has no line"],
            "/// Sets.\n/// n: the value\n/// q: not there\nvoid Set(int n);": ["'q' is not an argument"],
            "/// Gets.\n/// n: the value\nint Get(int n);": ["no 'Returns:' line"],
            "/// Sets.\n/// Returns: nothing really\nvoid Set();": ["'Returns:' on a command that gives nothing"],
            "///\n/// Returns: a count\nint Get();": ["no description"],
            "/// Gets what it gets when the line runs\n/// on.\n/// Returns: it\nint Get();": ["not a whole sentence"],
        }
        for extra, wanted in cases.items():
            with self.subTest(extra=extra):
                found = self.problems(extra)
                self.assertEqual(len(found), len(wanted), found)
                for line, text in zip(found, wanted):
                    self.assertIn(text, line)

    def test_commands_from_a_macro_are_checked(self):
        macro = "#define DECLARE_CMP(op) \\\n    int operator op(const S& l, int r); \\\n    int operator op(int l, const S& r);\n"
        found = self.problems(macro + "DECLARE_CMP(==)\n/// Less.\n/// l: left\n/// r: right\n/// Returns: 1 or 0\nDECLARE_CMP(<)")
        self.assertEqual(len(found), 2, found)
        self.assertTrue(all("operator==: no /// entry" in line for line in found), found)

    def test_page_shows_signature_arguments_result_and_errors(self):
        extra = ("/// Loads a file.\n/// More about it.\n/// name: the file\n/// Returns: 1 when loaded\n/// Errors: 3 when it cannot be read\n"
                 "int Load(const char* name);\nconstexpr int kBase = 128;\nconstexpr int kSum = kBase + 28;  // 156\n")
        with tempfile.TemporaryDirectory() as d, tempfile.TemporaryDirectory() as out:
            with open(os.path.join(d, "thing.h"), "w") as f:
                f.write(HEADER % extra)
            self.assertEqual(run("--headers", d, "--out", out).returncode, 0)
            with open(os.path.join(out, "thing.md")) as f:
                page = f.read()
            with open(os.path.join(out, "README.md")) as f:
                index = f.read()
        self.assertIn("int Load(const char* name);", page)
        self.assertIn("| `name` | the file |", page)
        self.assertIn("**Returns:** 1 when loaded", page)
        self.assertIn("**Errors:** 3 when it cannot be read", page)
        self.assertIn("void Draw(int x);\nvoid Draw(double x);", page)
        self.assertNotIn("Helper", page)
        self.assertNotIn("Method", page)
        self.assertIn("Loads a file.\n\nMore about it.", page)
        self.assertIn("| `kSum` | 156 |  |", page)
        self.assertIn("- [Load](thing.md#load): Loads a file.\n", index)
        self.assertIn("3 commands", index)


if __name__ == "__main__":
    unittest.main(verbosity=2)
