#!/usr/bin/env python3
"""The archive for Windows users, as scripts/release.sh writes it: the 32-bit GUI
program with its manifest and version block, and the text on running it."""

import pathlib
import re
import struct
import subprocess
import tempfile
import unittest
import zipfile

ROOT = pathlib.Path(__file__).resolve().parent.parent


class ReleaseArchive(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with tempfile.TemporaryDirectory() as directory:
            written = subprocess.run([str(ROOT / "scripts/release.sh"), directory],
                                     check=True, capture_output=True, text=True)
            path = next(line for line in written.stdout.splitlines() if line.endswith(".zip"))
            cls.version = re.fullmatch(r".*/skelvane-browser-([0-9.]+)-win32\.zip", path)[1]
            with zipfile.ZipFile(path) as archive:
                cls.names = sorted(archive.namelist())
                cls.exe = archive.read("skelvane-browser.exe")
                cls.readme = archive.read("README.txt").decode("utf-8")

    def test_holds_the_program_and_its_text(self):
        self.assertEqual(self.names, ["README.txt", "skelvane-browser.exe"])

    def test_the_program_is_a_32_bit_windows_gui_program(self):
        pe = struct.unpack_from("<I", self.exe, 0x3C)[0]
        self.assertEqual(self.exe[pe:pe + 4], b"PE\0\0")
        machine = struct.unpack_from("<H", self.exe, pe + 4)[0]
        magic, = struct.unpack_from("<H", self.exe, pe + 24)
        subsystem, = struct.unpack_from("<H", self.exe, pe + 24 + 68)
        self.assertEqual((machine, magic, subsystem), (0x14C, 0x10B, 2),
                         "not an x86 PE32 GUI program")

    def test_its_resources_hold_the_manifest_and_the_version_block_of_its_name(self):
        self.assertIn(b'name="Microsoft.Windows.Common-Controls" version="6.0.0.0" '
                      b'processorArchitecture="X86"', self.exe)
        block = self.exe.find("VS_VERSION_INFO".encode("utf-16-le"))
        self.assertGreater(block, 0, "no version block")
        fixed = self.exe.find(struct.pack("<I", 0xFEEF04BD), block)
        versions = struct.unpack_from("<IIII", self.exe, fixed + 8)
        a, b, c, d = (int(number) for number in self.version.split("."))
        self.assertEqual(versions, (a << 16 | b, c << 16 | d) * 2,
                         f"file and product version {self.version}")
        strings = self.exe[block:block + 2048]
        for text in ("080904b0", "Skelvane Server Browser"):
            self.assertIn(text.encode("utf-16-le"), strings)
        self.assertEqual(strings.count(f"{a}, {b}, {c}, {d}".encode("utf-16-le")), 2,
                         "file and product version texts")

    def test_its_text_says_how_to_run_it_and_where_the_settings_live(self):
        self.assertNotIn("\n", self.readme.replace("\r\n", ""), "not Windows line ends")
        for text in (self.version, "--master HOST:PORT",
                     "HKEY_CURRENT_USER\\SOFTWARE\\Drenlix\\Skelvane Server Browser",
                     'reg delete "HKCU\\SOFTWARE\\Drenlix\\Skelvane Server Browser" /f'):
            self.assertIn(text, self.readme)


if __name__ == "__main__":
    unittest.main()
