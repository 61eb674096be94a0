"""Tests of demo/make_catalog.py: the server's byte lengths, keys, view
columns, source pieces, and errors that name the line."""

import tempfile
import unittest
from pathlib import Path

import make_catalog as mc


class ColumnTypeTest(unittest.TestCase):
    def test_lengths_as_the_server_stores_them(self):
        cases = {
            "int": (56, 56, 4, 10, 0),
            "nvarchar(40)": (231, 231, 80, 40, None),
            "nvarchar(max)": (231, 231, -1, -1, None),
            "nchar(4000)": (239, 239, 8000, 4000, None),
            "char(10)": (175, 175, 10, 10, None),
            "varchar(8000)": (167, 167, 8000, 8000, None),
            "varbinary(max)": (165, 165, -1, -1, None),
            "decimal": (106, 106, 9, 18, 0),
            "decimal(9,2)": (106, 106, 5, 9, 2),
            "decimal(10,2)": (106, 106, 9, 10, 2),
            "decimal(20,0)": (106, 106, 13, 20, 0),
            "numeric(38,4)": (108, 108, 17, 38, 4),
            "datetime2": (42, 42, 8, 27, 7),
            "datetime2(0)": (42, 42, 6, 19, 0),
            "datetime2(3)": (42, 42, 7, 23, 3),
            "time(0)": (41, 41, 3, 8, 0),
            "time(7)": (41, 41, 5, 16, 7),
            "sysname": (231, 256, 256, 128, None),
        }
        for spec, expected in cases.items():
            with self.subTest(spec=spec):
                self.assertEqual(mc.column_type(spec), expected)

    def test_types_the_server_refuses(self):
        for spec in ("nchar(max)", "nvarchar(4001)", "varchar(0)", "decimal(39,0)", "decimal(5,6)",
                     "datetime2(8)", "int(4)", "money(2)", "sysname(10)", "Varchar(5)", "string"):
            with self.subTest(spec=spec):
                self.assertRaises(mc.CatalogError, mc.column_type, spec)


class CatalogCase(unittest.TestCase):
    """A catalog.txt and sources in a folder of their own."""

    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        self.root = Path(self.folder.name)
        (self.root / "sql").mkdir()

    def tearDown(self):
        self.folder.cleanup()

    def read(self, text, sources=None):
        for name, source in (sources or {}).items():
            (self.root / "sql" / f"{name}.sql").write_text(source, encoding="utf-8")
        path = self.root / "catalog.txt"
        path.write_text(text, encoding="utf-8")
        return mc.read_catalog(path)

    def object(self, catalog, name):
        return next(row for row in catalog.objects if row[0] == name)


class CatalogTest(CatalogCase):
    def test_composite_key_and_plain_index(self):
        catalog = self.read("table 明細 2020-01-01 2021-02-03\n"
                            "    番号  char(10)  pk\n"
                            "    行    smallint  pk\n"
                            "    備考  nvarchar(10) null\n"
                            "    index IX_明細_備考 備考,番号\n")
        table = self.object(catalog, "明細")
        key = self.object(catalog, "PK_明細")
        tid = table[1]
        self.assertEqual((table[2], key[2], key[3]), ("U", "PK", tid))
        self.assertEqual(key[4], table[4], "the key is created with its table")
        self.assertTrue(table[5].startswith("2021-02-03 "))
        self.assertEqual(sorted(catalog.indexes), sorted([
            (tid, mc.PRIMARY_KEY_STATUS, 1, "PK_明細", 2), (tid, 0, 2, "IX_明細_備考", 2)]))
        self.assertEqual(sorted(catalog.index_keys),
                         [(tid, 1, 1, 1), (tid, 1, 2, 2), (tid, 2, 1, 2), (tid, 2, 3, 1)])
        self.assertEqual([(c[0], c[5], c[8]) for c in catalog.columns],
                         [("番号", 1, 0), ("行", 2, 0), ("備考", 3, 1)])

    def test_table_without_key_is_a_heap(self):
        catalog = self.read("table ログ 2020-01-01\n    日時 datetime\n")
        tid = self.object(catalog, "ログ")[1]
        self.assertEqual(catalog.indexes, [(tid, 0, 0, "ログ", 0)])
        self.assertEqual(catalog.index_keys, [])
        self.assertEqual([o[0] for o in catalog.objects], ["ログ"])

    def test_view_column_takes_its_table_columns_type(self):
        catalog = self.read("table T 2020-01-01\n    c nvarchar(10) null\n"
                            "view V 2020-01-02\n    x = T.c\n    y int null\n",
                            {"V": "CREATE VIEW V AS SELECT c AS x, 1 AS y FROM T\n"})
        vid = self.object(catalog, "V")[1]
        self.assertEqual([c for c in catalog.columns if c[1] == vid], [
            ("x", vid, 231, 231, 20, 1, 10, None, 1), ("y", vid, 56, 56, 4, 2, 10, 0, 1)])

    def test_source_kept_in_crlf_pieces_of_at_most_4000(self):
        source = "/* 概要 */\nCREATE PROCEDURE usp_長い\nAS\n" + "    SELECT 1 -- 注記\n" * 500
        catalog = self.read("procedure usp_長い 2020-01-01\nfunction fn_短い 2020-01-01\n"
                            "procedure usp_秘密 2020-01-01 encrypted\n",
                            {"usp_長い": source, "fn_短い": "CREATE FUNCTION fn_短い () RETURNS int AS BEGIN RETURN 1 END"})
        pid = self.object(catalog, "usp_長い")[1]
        pieces = [c for c in catalog.comments if c[0] == pid]
        self.assertEqual(len(pieces), 3)
        self.assertEqual([(c[1], c[2], c[3]) for c in pieces], [(1, 1, 0), (1, 2, 0), (1, 3, 0)])
        self.assertTrue(all(len(c[4]) <= mc.PIECE_LENGTH for c in pieces))
        self.assertEqual("".join(c[4] for c in pieces), source.replace("\n", "\r\n"))
        fid = self.object(catalog, "fn_短い")[1]
        self.assertEqual([c[1:4] for c in catalog.comments if c[0] == fid], [(0, 1, 0)])
        secret = self.object(catalog, "usp_秘密")[1]
        self.assertEqual([c for c in catalog.comments if c[0] == secret], [(secret, 1, 1, 1, None)])

    def test_mistakes_name_the_line(self):
        cases = [
            ("table T 2020-01-01\n    a int\nmodule M 2020-01-01\n", ":3: unknown object kind"),
            ("table T 2020-01-01\n    a int null pk\n", ":2: a key column"),
            ("table T 2020-01-01\n    a int\n    a int\n", ":3: column a is defined twice"),
            ("table T 2020-01-01\n    a int\n    index IX b\n", ":3: index IX names unknown column b"),
            ("table T 2020-02-01 2020-01-01\n    a int\n", ":1: T changed before it was created"),
            ("    a int\n", ":1: indented line outside"),
            ("table T 2020-01-01\n    a int\ntable T 2020-01-02\n", ":3: T is defined twice"),
            ("table T 2020-01-01\ntable U 2020-01-01\n    a int\n", ":2: table T has no columns"),
            ("procedure usp_無い 2020-01-01\n", ":1: source of usp_無い"),
            ("function fn_別 2020-01-01\n", ":1: fn_別.sql does not create FUNCTION fn_別"),
            ("view V 2020-01-01\n    x = T.c\n", ":2: no column T.c"),
            ("table T 1.1.2020\n    a int\n", ":1: date must read YYYY-MM-DD"),
        ]
        for text, message in cases:
            with self.subTest(text=text):
                with self.assertRaises(mc.CatalogError) as raised:
                    self.read(text, {"fn_別": "CREATE FUNCTION fn_他 () RETURNS int AS BEGIN RETURN 1 END",
                                     "V": "CREATE VIEW V AS SELECT 1 AS x"})
                self.assertIn("catalog.txt" + message, str(raised.exception))


class DetailTest(CatalogCase):
    TABLES = ("table 親 2020-01-01\n"
              "    番号  char(4)  pk\n"
              "    枝番  smallint pk\n"
              "table 子 2020-01-02\n"
              "    ID    int      pk\n"
              "    親番号 char(4)\n"
              "    親枝番 smallint\n"
              "    数量  int\n"
              "    金額  money    null\n"
              "    メモ  nvarchar(20) null\n")
    DETAILS = ("    identity ID 1000 10\n"
               "    default 数量 ((1))\n"
               "    check CK_子_数量 数量 ([数量]>(0))\n"
               "    check CK_子_金額 - ([金額] IS NULL OR [金額]>=(0))\n"
               "    computed 金額 (CONVERT([money],[数量]*(100))) persisted\n"
               "    fk FK_子_親 親番号,親枝番 親 cascade\n"
               "    unique UX_子_メモ メモ,数量:DESC include 金額 where ([メモ] IS NOT NULL)\n"
               "    trigger TR_子\n")
    TRIGGER = {"TR_子": "CREATE TRIGGER TR_子 ON 子\nINSTEAD OF DELETE, update AS\nRETURN\n"}

    def test_details_as_the_server_keeps_them(self):
        catalog = self.read(self.TABLES + self.DETAILS, self.TRIGGER)
        parent, child = self.object(catalog, "親")[1], self.object(catalog, "子")[1]
        d = catalog.details
        self.assertEqual(d["identity_columns"], [(child, "ID", 1, "1000", "10")])
        self.assertEqual([row[4:6] for row in d["default_constraints"]], [(4, "((1))")])
        self.assertEqual([row[4:6] for row in d["check_constraints"]],
                         [(4, "([数量]>(0))"), (0, "([金額] IS NULL OR [金額]>=(0))")])
        self.assertEqual(d["computed_columns"], [(child, "金額", 5, "(CONVERT([money],[数量]*(100)))", 1)])
        fk = self.object(catalog, "FK_子_親")[1]
        self.assertEqual(d["foreign_keys"], [("FK_子_親", fk, 1, child, parent, 1, 0, 0, 1, 0, 0)])
        self.assertEqual(d["foreign_key_columns"], [(fk, 1, child, 2, parent, 1), (fk, 2, child, 3, parent, 2)])
        self.assertIn((child, "UX_子_メモ", 2, 2, 1, 0, 0, 1, "([メモ] IS NOT NULL)"), d["indexes"])
        self.assertEqual([row[2:] for row in d["index_columns"] if row[:2] == (child, 2)],
                         [(1, 6, 1, 0, 0), (2, 4, 2, 1, 0), (3, 5, 0, 0, 1)])
        self.assertIn((child, mc.UNIQUE_INDEX_STATUS, 2, "UX_子_メモ", 2), catalog.indexes)
        trigger = self.object(catalog, "TR_子")[1]
        self.assertEqual(d["triggers"], [("TR_子", trigger, 1, child, 0, 1)])
        self.assertEqual(d["trigger_events"], [(trigger, 2, "UPDATE"), (trigger, 3, "DELETE")])
        # Constraints and triggers hang on their table.
        self.assertEqual({o[2]: o[3] for o in catalog.objects if o[3] and o[2] != "PK"},
                         {"D": child, "C": child, "F": child, "TR": child})

    def test_descriptions_put_the_logical_name_first(self):
        (self.root / "descriptions.txt").write_text(
            "# 説明\n子 子表  明細を持つ。\n    二行目。\n子.メモ メモ\n", encoding="utf-8")
        catalog = self.read(self.TABLES)
        child = self.object(catalog, "子")[1]
        self.assertEqual(catalog.details["extended_properties"], [
            (1, child, 0, "MS_Description", "子表\r\n明細を持つ。\r\n二行目。"),
            (1, child, 6, "MS_Description", "メモ")])

    def test_detail_mistakes_name_the_line(self):
        cases = [
            (self.TABLES + "    fk FK_子_無 親番号 無い\n", "catalog.txt:11: foreign key FK_子_無: 無い is no table"),
            (self.TABLES + "    fk FK_子_親 親番号 親\n", "catalog.txt:11: foreign key FK_子_親: 1 columns"),
            (self.TABLES + "    default 無い ((0))\n", "catalog.txt:11: 子 has no column 無い"),
            (self.TABLES + "    trigger TR_子\n", "catalog.txt:11: TR_子.sql declares no FOR"),
            (self.TABLES + "    index IX_子 数量:ASC\n", "catalog.txt:11: index IX_子: a key is"),
        ]
        for text, message in cases:
            with self.subTest(text=text.splitlines()[-1]):
                with self.assertRaises(mc.CatalogError) as raised:
                    self.read(text, {"TR_子": "CREATE TRIGGER TR_子 ON 子 AS RETURN\n"})
                self.assertIn(message, str(raised.exception))
        (self.root / "descriptions.txt").write_text("子.無い 無い\n", encoding="utf-8")
        with self.assertRaisesRegex(mc.CatalogError, "descriptions.txt:1: 子 has no column 無い"):
            self.read(self.TABLES)


class SqlTest(unittest.TestCase):
    def test_values_survive_the_servers_string_syntax(self):
        self.assertEqual(mc.sql_value("it's a\\b\r\n"), "'it''s a\\\\b\\r\\n'")
        self.assertEqual(mc.sql_value(None), "NULL")
        self.assertEqual(mc.sql_value(-1), "-1")

    def test_an_empty_section_writes_no_statement(self):
        self.assertNotIn("INSERT", mc.insert("syscomments", ("id",), []))


if __name__ == "__main__":
    unittest.main()
