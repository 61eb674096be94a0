"""The plain documents stay as they were before the detailed form existed:
the four documents of the test catalog, made by tablinor-export, hold the
same sheets and the same cells (value and type) as the ones release 1.0.0
made, kept in plain_documents.json. The same catalog with the objects SSMS
adds for its diagrams gives the same documents: no document lists them.

    plain_documents_test.py EXPORT [--write]   (--write: keep this program's documents as the reference)"""
import json
import os
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

import openpyxl

EXPORT = sys.argv.pop(1)
WRITE = "--write" in sys.argv and not sys.argv.remove("--write")
REFERENCE = Path(__file__).with_name("plain_documents.json")
KINDS = ("tables", "views", "procedures", "functions")


def cells(database, kind):
    """Every sheet's cells as [coordinate, value, type], in order."""
    with tempfile.TemporaryDirectory() as folder:
        output = f"{folder}/{kind}.xlsx"
        subprocess.run([EXPORT, "--server", os.environ["TABLINOR_TEST_SERVER"], "--database", database,
                        "--user", os.environ["TABLINOR_TEST_UID"], "--kind", kind, "--output", output],
                       env=dict(os.environ, TABLINOR_PASSWORD=os.environ["TABLINOR_TEST_PWD"]),
                       check=True, capture_output=True)
        book = openpyxl.load_workbook(output)
    return {sheet.title: [[c.coordinate, str(c.value), c.data_type] for row in sheet.iter_rows() for c in row
                          if c.value is not None] for sheet in book.worksheets}


def documents(database):
    return {kind: cells(database, kind) for kind in KINDS}


class PlainDocuments(unittest.TestCase):
    def test_the_test_catalog_gives_the_documents_it_always_gave(self):
        made = documents(os.environ["TABLINOR_TEST_DATABASE"])
        reference = json.loads(REFERENCE.read_text(encoding="utf-8"))
        for kind in KINDS:
            self.assertEqual(list(made[kind]), list(reference[kind]), kind)
            for sheet, sheet_cells in reference[kind].items():
                self.assertEqual(made[kind][sheet], sheet_cells, f"{kind} {sheet}")

    def test_objects_the_server_tools_added_are_in_no_document(self):
        self.assertEqual(documents(os.environ["TABLINOR_TEST_DATABASE"] + "_tools"),
                         documents(os.environ["TABLINOR_TEST_DATABASE"]))


if __name__ == "__main__":
    if WRITE:
        # A cell a line, so that a change reads as a diff.
        made = documents(os.environ["TABLINOR_TEST_DATABASE"])
        dump = lambda value: json.dumps(value, ensure_ascii=False)  # noqa: E731
        REFERENCE.write_text("{\n" + ",\n".join(
            f"{dump(kind)}: {{\n" + ",\n".join(
                f"{dump(sheet)}: [\n" + ",\n".join(dump(c) for c in sheet_cells) + "\n]"
                for sheet, sheet_cells in sheets.items()) + "\n}"
            for kind, sheets in made.items()) + "\n}\n", encoding="utf-8")
    else:
        unittest.main()
