"""The Debian package as users and administrators meet it: what it holds and
depends on, its desktop entry, lintian's verdict, its manual pages, and what
its maintainer scripts do to the ODBC driver list."""

import glob
import os
import re
import subprocess
import tempfile
import unittest

DEB_DIR = os.environ["TABLINOR_DEB_DIR"]
VERSION = os.environ["TABLINOR_VERSION"]


def run(*args, env=None):
    return subprocess.run(args, capture_output=True, text=True, env=env)


def output(*args, env=None):
    return subprocess.run(args, capture_output=True, text=True, env=env, check=True).stdout


def setUpModule():
    global deb, root, _root_dir
    (deb,) = glob.glob(os.path.join(DEB_DIR, "*.deb"))
    _root_dir = tempfile.TemporaryDirectory()
    root = _root_dir.name
    output("dpkg-deb", "-x", deb, root)
    output("dpkg-deb", "-e", deb, os.path.join(root, "DEBIAN"))


def tearDownModule():
    _root_dir.cleanup()


class Contents(unittest.TestCase):
    # Owners and modes are lintian's to check.
    def test_files(self):
        listing = output("dpkg-deb", "-c", deb).splitlines()
        files = {line.split(maxsplit=5)[5].removeprefix(".") for line in listing if not line.startswith("d")}
        self.assertEqual(files, {
            "/usr/bin/tablinor", "/usr/bin/tablinor-export",
            "/usr/share/applications/tablinor.desktop", "/usr/share/icons/hicolor/scalable/apps/tablinor.svg",
            "/usr/share/man/man1/tablinor.1.gz", "/usr/share/man/man1/tablinor-export.1.gz",
            "/usr/share/doc/tablinor/copyright", "/usr/share/doc/tablinor/changelog.gz",
            "/usr/share/tablinor/odbcinst-freetds.ini",
        })

    def test_control(self):
        architecture = output("dpkg", "--print-architecture").strip()
        self.assertEqual(os.path.basename(deb), f"tablinor_{VERSION}_{architecture}.deb")
        info = output("dpkg-deb", "-I", deb)
        fields = dict(re.findall(r"^ ([A-Z][\w-]*): (.*)$", info, re.M))
        self.assertEqual((fields["Package"], fields["Version"], fields["Architecture"], fields["Recommends"]),
                         ("tablinor", VERSION, architecture, "libreoffice-calc"))
        # dpkg-shlibdeps puts versions on the libraries it found.
        for library in ("libc6", "libqt6core6", "libqt6gui6", "libqt6widgets6", "libodbc2", "libxlsxwriter4"):
            self.assertRegex(fields["Depends"], rf"(^|, ){library} \(>= [^)]+\)")
        self.assertRegex(fields["Depends"], r"^tdsodbc, odbcinst, ")
        for script in ("postinst", "prerm"):
            self.assertRegex(info, rf"\* +{script} +#!/bin/sh\n")


class DesktopEntry(unittest.TestCase):
    def test_entry(self):
        path = os.path.join(root, "usr/share/applications/tablinor.desktop")
        validation = run("desktop-file-validate", path)
        self.assertEqual((validation.returncode, validation.stdout + validation.stderr), (0, ""))
        with open(path, encoding="utf-8") as file:
            entry = dict(line.split("=", 1) for line in file.read().splitlines() if "=" in line)
        self.assertEqual(entry["Categories"], "Development;Database;")
        self.assertTrue(entry["Name[ja]"] and entry["Comment[ja]"])
        self.assertTrue(os.access(os.path.join(root, "usr/bin", entry["Exec"]), os.X_OK))
        self.assertTrue(os.path.isfile(os.path.join(root, "usr/share/icons/hicolor/scalable/apps", entry["Icon"] + ".svg")))


class Lintian(unittest.TestCase):
    # Warnings fail too: one that is to be kept gets suppressed here, with the reason.
    def test_no_errors_or_warnings(self):
        result = run("lintian", "--fail-on", "error,warning", "--display-info", deb)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)


class ManualPages(unittest.TestCase):
    # As lintian renders them, at a terminal's width.
    ENVIRONMENT = dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80", MANROFFSEQ="")

    def render(self, page):
        result = run("man", "--warnings", "-E", "UTF-8", "-l", os.path.join(root, "usr/share/man/man1", page),
                     env=self.ENVIRONMENT)
        self.assertEqual((result.returncode, result.stderr), (0, ""), page)
        return result.stdout

    def test_desktop_program_page(self):
        self.assertIn("tablinor-export(1)", self.render("tablinor.1.gz"))

    def test_export_page_says_what_help_says(self):
        page = self.render("tablinor-export.1.gz")
        help_text = output(os.path.join(root, "usr/bin/tablinor-export"), "--help", env=self.ENVIRONMENT)
        packed_page = re.sub(r"\s", "", page)
        # Past the usage lines, every line but a heading, spaces aside.
        body = help_text.split("\n\n", 1)[1]
        lines = [line for line in body.splitlines() if line and not re.fullmatch(r"\S.*:", line)]
        self.assertGreater(len(lines), 20)
        for line in lines:
            self.assertIn(re.sub(r"\s", "", line), packed_page)


class MaintainerScripts(unittest.TestCase):
    """postinst and prerm run on a driver list of their own, as dpkg runs them
    for an installation under DPKG_ROOT."""

    def setUp(self):
        self.odbc = tempfile.TemporaryDirectory()
        self.addCleanup(self.odbc.cleanup)
        self.driver_list = os.path.join(self.odbc.name, "odbcinst.ini")
        self.environment = dict(os.environ, DPKG_ROOT=root, ODBCSYSINI=self.odbc.name)
        self.marker = os.path.join(root, "var/lib/tablinor/odbc-driver-registered")

    def script(self, name, *arguments):
        output(os.path.join(root, "DEBIAN", name), *arguments, env=self.environment)

    def driver(self):
        result = run("odbcinst", "-q", "-d", "-n", "SQL Server", env=self.environment)
        return result.stdout if result.returncode == 0 else None

    def test_registers_the_free_name_and_takes_out_only_its_own(self):
        open(self.driver_list, "w").close()
        self.script("postinst", "configure")
        self.assertIn("Driver=libtdsodbc.so\n", self.driver())
        self.assertTrue(os.path.exists(self.marker))
        self.script("postinst", "configure", VERSION)
        self.script("prerm", "upgrade", VERSION)
        self.assertIn("UsageCount=1\n", self.driver())
        self.script("prerm", "remove")
        self.assertIsNone(self.driver())
        self.assertFalse(os.path.exists(os.path.dirname(self.marker)))

    def test_leaves_a_driver_it_did_not_register(self):
        theirs = "[SQL Server]\nDriver=/opt/vendor/lib/libsqlsrv.so\nUsageCount=1\n"
        with open(self.driver_list, "w") as file:
            file.write(theirs)
        self.script("postinst", "configure")
        self.assertFalse(os.path.exists(self.marker))
        self.script("prerm", "remove")
        with open(self.driver_list) as file:
            self.assertEqual(file.read(), theirs)


if __name__ == "__main__":
    unittest.main()
