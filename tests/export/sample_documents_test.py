"""The detailed documents of the public sample catalogs, made by
tablinor-export from the stand-in server and read back with openpyxl, checked
row by row against the samples' own description files: every description,
declared type, key, default, identity, computed column, foreign key, check,
index and trigger on its object's sheet and its column's row."""
import csv
import os
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

import openpyxl

EXPORT, SAMPLES = sys.argv.pop(1), Path(sys.argv.pop(1))
# WideWorldImporters keeps its descriptions under a property of its own name.
PROPERTY = {"wideworldimporters": "Description"}
ACTIONS = {"NO_ACTION": "NO ACTION", "CASCADE": "CASCADE", "SET_NULL": "SET NULL", "SET_DEFAULT": "SET DEFAULT"}
SIZED = {"char", "varchar", "binary", "varbinary"}


def rows(sample, name):
    path = SAMPLES / sample / name
    if not path.exists():
        return []
    with path.open(encoding="utf-8", newline="") as file:
        return list(csv.DictReader(file, delimiter="\t", quoting=csv.QUOTE_NONE))


def shown(schema, name):
    return name if schema == "dbo" else f"{schema}.{name}"


def declared(column, alias_types):
    """The declared type as a table definition spells it, from the file's facts."""
    base, length = column["base_type"], int(column["length_bytes"])
    text = base
    if base in SIZED:
        text += "(max)" if length < 0 else f"({length})"
    elif base in ("nchar", "nvarchar"):
        text += "(max)" if length < 0 else f"({length // 2})"
    elif base in ("decimal", "numeric"):
        text += f"({column['precision']},{column['scale']})"
    elif base in ("datetime2", "time", "datetimeoffset"):
        text += f"({column['scale']})"
    name = column["declared_type"]
    if name == "sysname" or name in alias_types:
        return f"{name} ({text})"
    return text


def export(database, kind, output, *options):
    environment = dict(os.environ, TABLINOR_PASSWORD=os.environ["TABLINOR_TEST_PWD"])
    subprocess.run([EXPORT, "--server", os.environ["TABLINOR_TEST_SERVER"], "--database", database,
                    "--user", os.environ["TABLINOR_TEST_UID"], "--kind", kind, "--output", output, "--force",
                    *options], env=environment, check=True, capture_output=True)
    return openpyxl.load_workbook(output)


def text(cell):
    return "" if cell.value is None else str(cell.value)


class Sheet:
    """One detailed sheet: its header block, its column rows by name, its sections by title."""

    def __init__(self, sheet):
        grid = [[text(c) for c in row] for row in sheet.iter_rows(max_col=11)]
        self.header = {row[0]: row[2] for row in grid[:4]}
        self.columns, self.sections = {}, {}
        title, head, i = None, None, 5
        while i < len(grid):
            row = grid[i]
            if not any(row):
                title = head = None
            elif head is None and row[0] == "No":
                head = [(c, h) for c, h in enumerate(row) if h]
            elif head is None:
                title = row[0]
            else:
                entry = {h: row[c] for c, h in head}
                if title is None:
                    self.columns[entry["物理名"]] = entry
                else:
                    self.sections.setdefault(title, {})[entry[head[1][1]]] = entry
            i += 1

    def section(self, title):
        return self.sections.get(title, {})


def joined(logical, explanation, description):
    """The description as the two cells show it, the line break between them restored."""
    normal = description.replace("\r\n", "\n").replace("\r", "\n")
    return logical + ("\n" if "\n" in normal else "") + explanation, normal


class SampleDocuments(unittest.TestCase):
    def check_sample(self, sample):
        database = f"tablinor_sample_{sample}"
        prop = PROPERTY.get(sample, "MS_Description")
        objects = {shown(o["schema"], o["name"]): o["kind"] for o in rows(sample, "objects.tsv")}
        alias_types = {t["name"] for t in rows(sample, "types.tsv")}
        with tempfile.TemporaryDirectory() as folder:
            books = {kind: export(database, kind, f"{folder}/{kind}.xlsx", "--detailed",
                                  "--description-property", prop) for kind in ("tables", "views")}
        sheets = {}
        for book in books.values():
            index = book["目次"]
            for row in index.iter_rows(min_row=2):
                location = row[0].hyperlink.location
                sheets[text(row[0])] = Sheet(book[location.rsplit("!", 1)[0].strip("'").replace("''", "'")])
        self.assertEqual(sorted(sheets), sorted(n for n, k in objects.items() if k in ("U", "V")))

        def on(schema, table):
            return sheets[shown(schema, table)]

        for c in rows(sample, "columns.tsv"):
            row = on(c["schema"], c["object"]).columns[c["column"]]
            where = f"{c['schema']}.{c['object']}.{c['column']}"
            self.assertEqual(row["データ型"], declared(c, alias_types), where)
            self.assertEqual(row["NULL"], "○" if c["nullable"] == "1" else "", where)
            self.assertEqual(row["PK"], c["pk_order"] if c["pk_order"] != "0" else "", where)

        for d in rows(sample, "descriptions.tsv"):
            if d["property"] != prop or d["level1type"] not in ("TABLE", "VIEW") or d["level2type"] not in ("", "COLUMN"):
                continue
            sheet = on(d["schema"], d["object"])
            if d["level2type"]:
                row = sheet.columns[d["name2"]]
                shown_text, wanted = joined(row["論理名"], row["説明"], d["value"])
            else:
                shown_text, wanted = joined(sheet.header["論理名"], sheet.header["説明"], d["value"])
            self.assertEqual(shown_text, wanted, f"{d['schema']}.{d['object']} {d['name2']}")

        for d in rows(sample, "defaults.tsv"):
            self.assertEqual(on(d["schema"], d["table"]).columns[d["column"]]["デフォルト"], d["definition_stored"])
        for i in rows(sample, "identity.tsv"):
            self.assertEqual(on(i["schema"], i["table"]).columns[i["column"]]["IDENTITY"],
                             f"{i['seed']}, {i['increment']}")
        for c in rows(sample, "computed.tsv"):
            self.assertEqual(on(c["schema"], c["table"]).columns[c["column"]]["計算列"],
                             c["definition_stored"] + (" PERSISTED" if c["persisted"] == "1" else ""))

        for f in rows(sample, "foreign_keys.tsv"):
            sheet = on(f["schema"], f["table"])
            row = sheet.section("外部キー")[f["constraint_name"]]
            columns = f["columns"].split(",")
            self.assertEqual(row["列"], ", ".join(columns), f["constraint_name"])
            self.assertEqual(row["参照先"], f"{shown(f['ref_schema'], f['ref_table'])} ({', '.join(f['ref_columns'].split(','))})")
            self.assertEqual((row["ON DELETE"], row["ON UPDATE"]), (ACTIONS[f["on_delete"]], ACTIONS[f["on_update"]]))
            self.assertEqual(row["状態"] != "", f["disabled_or_nocheck"] == "1", f["constraint_name"])
            for column in columns:
                self.assertEqual(sheet.columns[column]["FK"], "○", f"{f['constraint_name']} {column}")

        for c in rows(sample, "check_constraints.tsv"):
            row = on(c["schema"], c["table"]).section("チェック制約")[c["constraint_name"]]
            self.assertEqual((row["列"], row["定義"]), (c["column"], c["definition_stored"]), c["constraint_name"])

        for x in rows(sample, "indexes.tsv"):
            if x["kind"] == "FULLTEXT":
                continue
            row = on(x["schema"], x["table"]).section("インデックス")[x["index_name"]]
            where = x["index_name"]
            self.assertEqual(row["キー列"], ", ".join(filter(None, x["key_columns"].split(","))), where)
            self.assertEqual(row["付加列"], ", ".join(filter(None, x["included_columns"].split(","))), where)
            self.assertEqual(row["フィルター"], x["filter"], where)
            self.assertEqual(row["一意"] == "○", x["kind"] in ("PRIMARY_KEY", "UNIQUE_CONSTRAINT", "UNIQUE_INDEX"), where)
            self.assertEqual(row["制約"], {"PRIMARY_KEY": "主キー", "UNIQUE_CONSTRAINT": "一意制約"}.get(x["kind"], ""), where)
            if x["kind"] in ("PRIMARY_KEY", "UNIQUE_CONSTRAINT", "UNIQUE_INDEX", "INDEX"):
                self.assertEqual(row["種類"], "クラスター化" if x["clustered"] == "1" else "非クラスター化", where)

        for t in rows(sample, "triggers.tsv"):
            if t["parent"] != "DATABASE":
                schema, table = t["parent"].split(".", 1)
                self.assertIn(t["name"], on(schema, table).section("トリガー"))

    def test_adventureworks(self):
        self.check_sample("adventureworks")

    def test_northwind(self):
        self.check_sample("northwind")

    def test_pubs(self):
        self.check_sample("pubs")

    def test_wideworldimporters(self):
        self.check_sample("wideworldimporters")


if __name__ == "__main__":
    unittest.main()
