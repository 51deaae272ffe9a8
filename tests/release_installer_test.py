#!/usr/bin/env python3
"""The setup program that scripts/release.sh writes, in a fresh Wine prefix, run
silently as an administrator would: an older version installed, the browser run
against the test network, the release installed over it while the browser is
still open, and uninstalled; then installed into a folder of the user's choice
and uninstalled through its window with the box that removes the settings ticked.

Run by tests/release_installer_test.sh, which prepares the prefix and the
network: release_installer_test.py DRIVER_EXE MASTER."""

import os
import pathlib
import re
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
DRIVER, MASTER = sys.argv[1:3] if len(sys.argv) >= 3 else ("", "")
WINE = os.environ.get("SKELVANE_WINE", "wine")
PREFIX = pathlib.Path(os.environ.get("WINEPREFIX", "/nonexistent"))

UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Skelvane Server Browser"
SETTINGS_KEY = r"HKCU\Software\Drenlix\Skelvane Server Browser"
PUBLISHER_KEY = r"HKCU\Software\Drenlix"
DEFAULT_FOLDER = r"C:\Program Files\Skelvane Server Browser"
# Without spaces: Wine would quote the argument, and a quoted /D= is not read.
CHOSEN_FOLDER = r"C:\Games\Skelvane"
SHORTCUT = r"C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Skelvane Server Browser.lnk"
INSTALLED_FILES = ["README.txt", "skelvane-browser.exe", "uninstall.exe"]
OLDER_VERSION = "0.9.0.0"
HOLD_MS = 2000
# What the user had set before the upgrade, as the browser stores it.
SEEDED_SETTINGS = {
    "Version": ("REG_DWORD", "0x2"),
    "Packets Per Second": ("REG_DWORD", "0x64"),
    "Good Ping Threshold": ("REG_DWORD", "0x4d"),
    "Skelvane Directory": ("REG_SZ", "D:\\Games\\Skelvane\\"),
    "Show Full Servers": ("REG_DWORD", "0x1"),
    "Show Empty Servers": ("REG_DWORD", "0x1"),
}


def wine(*arguments):
    """Runs a program under Wine until it exits. Its output goes through a file:
    a program it starts may hold a pipe open long after."""
    with tempfile.TemporaryFile("w+") as output:
        result = subprocess.run([WINE, *arguments], stdout=output, stderr=subprocess.DEVNULL,
                                stdin=subprocess.DEVNULL, timeout=120)
        output.seek(0)
        result.stdout = output.read()
    return result


def timed(*arguments):
    start = time.monotonic()
    result = wine(*arguments)
    return result, time.monotonic() - start


def unix_path(windows_path):
    assert windows_path[:3] == "C:\\", windows_path
    return PREFIX / "drive_c" / windows_path[3:].replace("\\", "/")


def files_in(windows_folder):
    folder = unix_path(windows_folder)
    return sorted(path.name for path in folder.iterdir()) if folder.exists() else None


def registry(key):
    """The values of a key as name: (type, data), or None without the key."""
    result = wine("reg", "query", key)
    if result.returncode != 0:
        return None
    values = {}
    for line in result.stdout.splitlines():
        value = re.fullmatch(r"    (.*?)    (REG_\w+)(?:    (.*))?", line.rstrip("\r"))
        if value:
            values[value[1]] = (value[2], value[3] or "")
    return values


def wait_until(done, seconds=20):
    deadline = time.monotonic() + seconds
    while not done():
        if time.monotonic() > deadline:
            return False
        time.sleep(0.1)
    return True


def seed_settings(directory):
    lines = ["Windows Registry Editor Version 5.00", "",
             f"[{SETTINGS_KEY.replace('HKCU', 'HKEY_CURRENT_USER')}]"]
    for name, (kind, data) in SEEDED_SETTINGS.items():
        if kind == "REG_DWORD":
            lines.append(f'"{name}"=dword:{int(data, 16):08x}')
        else:
            lines.append(f'"{name}"="{data.replace(chr(92), chr(92) * 2)}"')
    file = pathlib.Path(directory) / "settings.reg"
    file.write_text("\r\n".join(lines + [""]), encoding="utf-16")
    assert wine("reg", "import", "Z:" + str(file).replace("/", "\\")).returncode == 0


def kept_data_folder():
    local = next((PREFIX / "drive_c/users").glob("*/AppData/Local"))
    return local / "Drenlix/Skelvane Server Browser"


class ReleaseInstaller(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.seconds = {}
        with tempfile.TemporaryDirectory() as directory:
            cls.build_setup_programs(directory)
            seed_settings(directory)
            cls.install_run_upgrade_uninstall()
            cls.install_elsewhere_and_uninstall_with_the_settings()

    @classmethod
    def build_setup_programs(cls, directory):
        written = subprocess.run([str(ROOT / "scripts/release.sh"), directory], check=True,
                                 capture_output=True, text=True).stdout.split()
        cls.setup = next(line for line in written if line.endswith("-setup.exe"))
        cls.setup_size = os.path.getsize(cls.setup)
        with zipfile.ZipFile(next(line for line in written if line.endswith(".zip"))) as archive:
            cls.archived = {name: archive.read(name) for name in archive.namelist()}
        # The older version's program differs from the release's by a few bytes
        # at its end, where the loader reads nothing.
        older = pathlib.Path(directory) / "older"
        older.mkdir()
        (older / "skelvane-browser.exe").write_bytes(
            cls.archived["skelvane-browser.exe"] + b"older version")
        (older / "README.txt").write_bytes(cls.archived["README.txt"])
        cls.older_setup = str(pathlib.Path(directory) / "older-setup.exe")
        subprocess.run([str(ROOT / "installer/make-setup.sh"), OLDER_VERSION, str(older),
                        str(ROOT / "build/windows-release/res/app.ico"), cls.older_setup],
                       check=True)

    @classmethod
    def install_run_upgrade_uninstall(cls):
        result, cls.seconds["install"] = timed(cls.older_setup, "/S")
        cls.older_status = result.returncode
        cls.older_files = files_in(DEFAULT_FOLDER)
        cls.older_shortcut = unix_path(SHORTCUT).exists()
        cls.older_entry = registry(UNINSTALL_KEY)

        program = DEFAULT_FOLDER + "\\skelvane-browser.exe"
        cls.browser_run = wine(DRIVER, "run", program, MASTER)

        # An administrator's folder is no reason to leave the installed copy behind.
        result, cls.seconds["upgrade"] = timed(cls.setup, "/S", "/D=" + CHOSEN_FOLDER)
        cls.upgrade_status = result.returncode
        cls.upgraded_files = files_in(DEFAULT_FOLDER)
        cls.upgraded_program = unix_path(program).read_bytes()
        cls.upgraded_readme = unix_path(DEFAULT_FOLDER + "\\README.txt").read_bytes()
        cls.folder_not_taken = files_in(CHOSEN_FOLDER)
        cls.upgraded_entry = registry(UNINSTALL_KEY)
        cls.upgraded_settings = registry(SETTINGS_KEY)

        # As the system's list of programs does it, while a browser that shows no
        # window here still runs for a while, and done once the entry is gone.
        quiet = re.fullmatch(r'"(.*)" (/S)', cls.upgraded_entry["QuietUninstallString"][1])
        with tempfile.NamedTemporaryFile("w+") as said:
            holder = subprocess.Popen([WINE, DRIVER, "hold", program, str(HOLD_MS)], stdout=said,
                                      stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL)
            cls.held = wait_until(lambda: "held:" in pathlib.Path(said.name).read_text())
            start = time.monotonic()
            cls.uninstall_status = wine(*quiet.groups()).returncode
            cls.uninstall_ended = wait_until(lambda: not unix_path(DEFAULT_FOLDER).exists() and
                                             registry(UNINSTALL_KEY) is None)
            cls.seconds[f"uninstall with the program held for {HOLD_MS} ms"] = \
                time.monotonic() - start
            holder.wait(timeout=60)
        cls.uninstalled_shortcut = unix_path(SHORTCUT).exists()
        cls.uninstalled_settings = registry(SETTINGS_KEY)

    @classmethod
    def install_elsewhere_and_uninstall_with_the_settings(cls):
        cls.chosen_status = wine(cls.setup, "/S", "/D=" + CHOSEN_FOLDER).returncode
        cls.chosen_files = files_in(CHOSEN_FOLDER)
        cls.chosen_location = registry(UNINSTALL_KEY)["InstallLocation"][1]
        kept = kept_data_folder()
        kept.mkdir(parents=True, exist_ok=True)
        (kept / "servers.txt").write_text("127.0.0.1:27960\n")
        cls.ticked = wine(DRIVER, "uninstall-removing-settings", CHOSEN_FOLDER + "\\uninstall.exe")
        cls.ticked_folder = files_in(CHOSEN_FOLDER)
        cls.ticked_entry = registry(UNINSTALL_KEY)
        cls.ticked_settings = registry(SETTINGS_KEY)
        cls.ticked_publisher = registry(PUBLISHER_KEY)
        cls.ticked_kept_data = kept.exists()

    @classmethod
    def tearDownClass(cls):
        figures = ", ".join(f"{step} {seconds:.2f} s" for step, seconds in cls.seconds.items())
        print(f"\nsetup program: {cls.setup_size} bytes; {figures}", file=sys.stderr)

    def test_a_first_install_is_per_machine_with_a_shortcut_and_an_entry(self):
        self.assertEqual(self.older_status, 0)
        self.assertEqual(self.older_files, INSTALLED_FILES)
        self.assertTrue(self.older_shortcut, "no Start-menu shortcut")
        entry = {name: data for name, (_, data) in self.older_entry.items()}
        self.assertEqual(entry["DisplayName"], "Skelvane Server Browser")
        self.assertEqual(entry["DisplayVersion"], OLDER_VERSION)
        self.assertEqual(entry["Publisher"], "Drenlix")
        self.assertEqual(entry["InstallLocation"], DEFAULT_FOLDER)
        self.assertEqual(entry["DisplayIcon"], DEFAULT_FOLDER + "\\skelvane-browser.exe,0")
        self.assertEqual(entry["UninstallString"], f'"{DEFAULT_FOLDER}\\uninstall.exe"')
        # The program and the uninstaller, in KiB, as the system's list shows it.
        self.assertEqual(self.older_entry["EstimatedSize"][0], "REG_DWORD")
        self.assertGreater(int(entry["EstimatedSize"], 16),
                           len(self.archived["skelvane-browser.exe"]) // 1024)

    def test_the_installed_browser_refreshes_against_the_test_network(self):
        self.assertEqual(self.browser_run.returncode, 0, self.browser_run.stdout)
        self.assertIn("window: Skelvane Server Browser\n", self.browser_run.stdout)
        self.assertIn("status: Completed. 8 of 8 servers responded.\n", self.browser_run.stdout)
        self.assertIn("rows: 8\n", self.browser_run.stdout)

    def test_an_upgrade_closes_the_browser_and_replaces_the_program_where_it_is(self):
        self.assertEqual(self.upgrade_status, 0)
        self.assertEqual(self.upgraded_files, INSTALLED_FILES)
        self.assertIsNone(self.folder_not_taken, "the upgrade moved the program")
        self.assertEqual(self.upgraded_entry["DisplayVersion"][1], self.setup.split("-")[-2])
        # The browser saved its settings as it closed, over those of the user.
        self.assertIn("Window Position", self.upgraded_settings)
        for name, value in SEEDED_SETTINGS.items():
            self.assertEqual(self.upgraded_settings.get(name), value, name)

    def test_the_archive_and_the_setup_program_hold_the_same_files(self):
        self.assertEqual(self.upgraded_program, self.archived["skelvane-browser.exe"])
        self.assertEqual(self.upgraded_readme, self.archived["README.txt"])

    def test_a_silent_uninstall_waits_for_the_program_and_keeps_only_the_settings(self):
        self.assertTrue(self.held, "the program was not held")
        self.assertEqual(self.uninstall_status, 0)
        self.assertTrue(self.uninstall_ended, "the folder or the entry stayed")
        self.assertFalse(self.uninstalled_shortcut, "the shortcut stayed")
        self.assertEqual(self.uninstalled_settings, self.upgraded_settings)

    def test_the_ticked_box_removes_the_settings_and_the_kept_data_too(self):
        self.assertEqual(self.chosen_status, 0)
        self.assertEqual(self.chosen_files, INSTALLED_FILES)
        self.assertEqual(self.chosen_location, CHOSEN_FOLDER)
        self.assertEqual(self.ticked.returncode, 0, self.ticked.stdout)
        self.assertIn("box at start: unticked\n", self.ticked.stdout)
        self.assertIsNone(self.ticked_folder)
        self.assertIsNone(self.ticked_entry)
        self.assertIsNone(self.ticked_settings)
        self.assertIsNone(self.ticked_publisher)
        self.assertFalse(self.ticked_kept_data)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
