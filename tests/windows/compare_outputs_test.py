#!/usr/bin/env python3
"""Checks compare_outputs.py on small files whose differences are known."""
import os
import subprocess
import sys
import tempfile
import unittest

TOOL = os.path.join(os.path.dirname(os.path.abspath(__file__)), "compare_outputs.py")
HEADER = "vabcNorm1_a,vabcNorm1_b\n"


class CompareOutputsTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.folder.cleanup()

    def write(self, name, text):
        path = os.path.join(self.folder.name, name)
        with open(path, "wb") as f:
            f.write(text.encode("ascii"))
        return path

    def compare(self, expected, actual, *options):
        run = subprocess.run([sys.executable, TOOL, self.write("expected.csv", expected),
                              self.write("actual.csv", actual), *options],
                             capture_output=True, text=True)
        return run.returncode, run.stdout

    def test_identical_files_agree(self):
        text = HEADER + "0.15983868,-0.16888368\nnan,-inf\n"
        status, report = self.compare(text, text)
        self.assertEqual(status, 0)
        self.assertIn("differing rows: 0 ", report)

    def test_neighbouring_singles_are_one_ulp_apart(self):
        # 1 and the next single up, 1.0000001 (0x3F800001); 0.1 and 0.099999994 (0x3DCCCCCC).
        status, report = self.compare(HEADER + "1,0.1\n2,2\n", HEADER + "1.0000001,0.099999994\n2,2\n")
        self.assertEqual(status, 1)
        self.assertIn("differing rows: 1 (50.0000%), differing values: 2, largest difference: 1 ULP",
                      report)

    def test_share_at_most_the_threshold_passes(self):
        expected = HEADER + "".join("%d,1\n" % k for k in range(100))
        actual = expected.replace("\n7,1\n", "\n7,1.0000001\n")
        status, report = self.compare(expected, actual, "--max-differing-share", "0.01")
        self.assertEqual(status, 0)
        self.assertIn("differing rows: 1 (1.0000%)", report)
        status, _ = self.compare(expected, actual, "--max-differing-share", "0.009")
        self.assertEqual(status, 1)

    def test_signed_zeros_are_neighbours_and_every_nan_is_the_same(self):
        status, report = self.compare(HEADER + "0,nan\n", HEADER + "-0,NaN\n")
        self.assertEqual(status, 1)
        self.assertIn("differing values: 1, largest difference: 1 ULP", report)

    def test_across_zero_the_distance_adds_up(self):
        # The smallest subnormals either side of zero, with both zeros between them: +1e-45
        # is 2 ULP from -0 and 3 ULP from -1e-45.
        status, report = self.compare(HEADER + "1e-45,1e-45\n", HEADER + "-1e-45,-0\n")
        self.assertEqual(status, 1)
        self.assertIn("largest difference: 3 ULP", report)

    def test_same_values_in_other_text_are_a_fault(self):
        status, report = self.compare(HEADER + "0.5,1\n", HEADER + "0.50,1\n")
        self.assertEqual(status, 1)
        self.assertIn("differing rows: 0 ", report)
        self.assertIn("same values written differently: 1", report)

    def test_decimal_next_to_a_halfway_point_rounds_once(self):
        # 1 + 2^-24 is halfway between 1 and 1.0000001; a decimal just above it names
        # 1.0000001, though through a double it rounds to the halfway point and then to 1.
        above_half = "1.00000005960464477539062500000000001"
        status, report = self.compare(HEADER + "1.0000001,0\n", HEADER + above_half + ",0\n")
        self.assertEqual(status, 1)
        self.assertIn("differing rows: 0 ", report)  # the same single, other text

    def test_files_of_other_shapes_are_not_comparable(self):
        self.assertEqual(self.compare(HEADER + "1,2\n", HEADER + "1,2\n3,4\n")[0], 2)
        self.assertEqual(self.compare(HEADER + "1,2\n", "a,b\n1,2\n")[0], 2)
        self.assertEqual(self.compare(HEADER + "1,2\n", HEADER + "1,x\n")[0], 2)
        self.assertEqual(self.compare(HEADER + "1,2\n", HEADER + "1,2")[0], 2)


if __name__ == "__main__":
    unittest.main()
