#!/usr/bin/env python3
"""The archive for Windows users, as scripts/release.sh writes it: the 32-bit GUI
program with its manifest and version block, and the text on running it."""

import pathlib
import struct
import subprocess
import tempfile
import unittest
import zipfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
RT_VERSION = 16
RT_MANIFEST = 24


class PortableExecutable:
    """The headers and resources of a PE file, read only as far as needed."""

    def __init__(self, data):
        self.data = data
        pe = self.u32(0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        self.machine = self.u16(pe + 4)
        sections = self.u16(pe + 6)
        optional = pe + 24
        self.magic = self.u16(optional)
        self.subsystem = self.u16(optional + 68)
        self.resource_rva = self.u32(optional + 96 + 2 * 8)
        table = optional + self.u16(pe + 20)
        self.sections = [struct.unpack_from("<IIII", data, table + 40 * i + 8)
                         for i in range(sections)]

    def u16(self, offset):
        return struct.unpack_from("<H", self.data, offset)[0]

    def u32(self, offset):
        return struct.unpack_from("<I", self.data, offset)[0]

    def offset(self, rva):
        for size, address, raw_size, raw in self.sections:
            if address <= rva < address + max(size, raw_size):
                return raw + rva - address
        raise ValueError(f"address {rva:#x} in no section")

    def entries(self, directory):
        base = self.offset(self.resource_rva)
        count = self.u16(base + directory + 12) + self.u16(base + directory + 14)
        for i in range(count):
            name, target = struct.unpack_from("<II", self.data, base + directory + 16 + 8 * i)
            yield name, target

    def resources(self, type_id):
        """The data of every resource of one type, in every name and language."""
        base = self.offset(self.resource_rva)
        found = []
        for kind, names in self.entries(0):
            if kind != type_id:
                continue
            for _, languages in self.entries(names & 0x7FFFFFFF):
                for _, leaf in self.entries(languages & 0x7FFFFFFF):
                    rva, size = struct.unpack_from("<II", self.data, base + leaf)
                    start = self.offset(rva)
                    found.append(self.data[start:start + size])
        return found


class ReleaseArchive(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.directory = tempfile.TemporaryDirectory()
        written = subprocess.run([str(ROOT / "scripts/release.sh"), cls.directory.name],
                                 check=True, capture_output=True, text=True)
        with zipfile.ZipFile(written.stdout.strip().splitlines()[-1]) as archive:
            cls.names = sorted(archive.namelist())
            cls.exe = PortableExecutable(archive.read("skelvane-browser.exe"))
            cls.readme = archive.read("README.txt").decode("utf-8")

    @classmethod
    def tearDownClass(cls):
        cls.directory.cleanup()

    def test_holds_the_program_and_its_text(self):
        self.assertEqual(self.names, ["README.txt", "skelvane-browser.exe"])

    def test_the_program_is_a_32_bit_windows_gui_program(self):
        self.assertEqual(self.exe.machine, 0x14C, "not x86")
        self.assertEqual(self.exe.magic, 0x10B, "not PE32")
        self.assertEqual(self.exe.subsystem, 2, "not a GUI program")

    def test_its_manifest_asks_for_version_6_of_the_common_controls(self):
        manifests = self.exe.resources(RT_MANIFEST)
        self.assertEqual(len(manifests), 1)
        manifest = manifests[0].decode("utf-8")
        self.assertIn('name="Microsoft.Windows.Common-Controls" version="6.0.0.0" '
                      'processorArchitecture="X86"', manifest)

    def test_its_version_block_says_1_0_0_11(self):
        blocks = self.exe.resources(RT_VERSION)
        self.assertEqual(len(blocks), 1)
        block = blocks[0]
        fixed = block.find(struct.pack("<I", 0xFEEF04BD))
        self.assertGreater(fixed, 0, "no fixed file information")
        file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIII", block, fixed + 8)
        self.assertEqual((file_ms, file_ls), (0x10000, 11))
        self.assertEqual((product_ms, product_ls), (0x10000, 11))
        for text in ("080904b0", "1, 0, 0, 11", "Skelvane Server Browser"):
            self.assertIn(text.encode("utf-16-le"), block)

    def test_its_text_says_how_to_run_it_and_where_the_settings_live(self):
        self.assertIn("\r\n", self.readme)
        self.assertNotIn("\n", self.readme.replace("\r\n", ""))
        for text in ("1.0.0.11", "--master HOST:PORT",
                     "HKEY_CURRENT_USER\\SOFTWARE\\Drenlix\\Skelvane Server Browser",
                     'reg delete "HKCU\\SOFTWARE\\Drenlix\\Skelvane Server Browser" /f'):
            self.assertIn(text, self.readme)


if __name__ == "__main__":
    unittest.main()
