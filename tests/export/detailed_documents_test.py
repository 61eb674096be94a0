"""The detailed documents of the test catalog, end to end through
tablinor-export and read back with openpyxl: descriptions shown whole and as
text whatever they hold, split into 論理名 and 説明, the index's 論理名 column,
the routine index's 説明 column, hidden definitions left empty, and the
objects the server's tools add in none of them."""
import os
import subprocess
import sys
import tempfile
import unittest

import openpyxl

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "support"))
from xlsx_dump import control_characters  # noqa: E402

EXPORT = sys.argv.pop(1)
DATABASE = os.environ["TABLINOR_TEST_DATABASE"]


def export(kind, database=DATABASE, *options):
    with tempfile.TemporaryDirectory() as folder:
        output = f"{folder}/{kind}.xlsx"
        subprocess.run([EXPORT, "--server", os.environ["TABLINOR_TEST_SERVER"], "--database", database,
                        "--user", os.environ["TABLINOR_TEST_UID"], "--kind", kind, "--output", output,
                        "--detailed", *options],
                       env=dict(os.environ, TABLINOR_PASSWORD=os.environ["TABLINOR_TEST_PWD"]),
                       check=True, capture_output=True)
        return openpyxl.load_workbook(output)


def text(cell):
    return None if cell.value is None else control_characters(str(cell.value))


def column_rows(sheet):
    """Column rows by 物理名, each as header -> cell."""
    header = [c.value for c in sheet[6]]
    return {row[2].value: {h: c for h, c in zip(header, row)} for row in sheet.iter_rows(min_row=7)
            if row[0].value and str(row[0].value).isdigit() and row[2].value}


class DetailedDocuments(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tables = export("tables")

    def test_descriptions_are_whole_text_split_into_logical_name_and_explanation(self):
        customer = self.tables["顧客"]
        self.assertEqual([text(customer.cell(r, 3)) for r in range(1, 5)],
                         ["顧客", "顧客", "dbo", "取引先の顧客を管理する。\r\n請求先と納品先を兼ねる。"])
        columns = column_rows(customer)
        # Texts one driver reports a character short come out whole.
        self.assertEqual([columns[n]["論理名"].value for n in columns][1:4], ["仕様書", "ベル", "データベースの罠"])
        remark = list(columns.values())[4]
        self.assertEqual((text(remark["論理名"]), text(remark["説明"])),
                         ("備考", "一行目\t表の区切り\r\n二行目\x01制御\x1f文字"))

        order = column_rows(self.tables["受注明細"])
        first, second = list(order.values())[:2]
        self.assertEqual(len(text(first["説明"])), 7500 - len("OrderID\r\n"))
        self.assertTrue(text(first["説明"]).endswith("END."))
        self.assertEqual((second["論理名"].value, second["論理名"].data_type), ("=SUM(A1:A2)", "s"))

    def test_the_index_names_each_object_and_routines_show_their_description(self):
        index = self.tables["目次"]
        self.assertEqual([c.value for c in index[1]], ["オブジェクト名", "論理名", "作成日", "更新日"])
        names = {row[0].value: row[1].value for row in index.iter_rows(min_row=2)}
        self.assertEqual((names["顧客"], names["Customer"], names["作業ログ"]), ("顧客", "Customers", None))

        procedures = export("procedures")["目次"]
        self.assertEqual([c.value for c in procedures[1]], ["オブジェクト名", "説明", "コメント", "作成日", "更新日"])
        described = {row[0].value: text(row[1]) for row in procedures.iter_rows(min_row=2)}
        self.assertEqual(described["usp_受注登録"], "受注登録\r\n受注と一行目の明細を登録する。")

    def test_hidden_definitions_leave_their_constraints_listed_and_empty(self):
        log = self.tables["作業ログ"]
        cells = {(c.row, c.column): c.value for row in log.iter_rows() for c in row if c.value is not None}
        titles = [v for (r, c), v in cells.items() if c == 1 and not str(v).isdigit()]
        self.assertIn("チェック制約", titles)
        check_row = next(r for (r, c), v in cells.items() if v == "CK_作業ログ_重要度")
        self.assertEqual([cells.get((check_row, c)) for c in range(4, 11)], ["重要度", None, None, None, None, None, None])
        self.assertFalse(any(row["デフォルト"].value for row in column_rows(log).values()))

    def test_a_named_property_and_no_tool_objects(self):
        tools = export("tables", DATABASE + "_tools", "--description-property", "Description")
        self.assertNotIn("sysdiagrams", tools.sheetnames)
        # One line of several words explains the table; it does not name it.
        self.assertEqual([tools["Customer"][c].value for c in ("C1", "C4")], [None, "Customers of the web shop"])


if __name__ == "__main__":
    unittest.main()
