#include "IndexLinks.h"

#include <gtest/gtest.h>

using platform::xl::Workbook;
using platform::xl::Worksheet;

namespace {

class IndexLinksTest : public ::testing::Test {
protected:
    XlWorksheet addSheet(const QString& name)
    {
        auto sheets = book->worksheets();
        auto sheet = sheets.add(sheets.item(sheets.count()));
        sheet->setName(name);
        return sheet;
    }
    void writeIndex(const QStringList& names)
    {
        index->cells(1, 1).setValue(u"オブジェクト名");
        for (qsizetype i = 0; i < names.size(); ++i)
            index->cells(static_cast<qint32>(i + 2), 1).setValue(names[i]);
    }
    const platform::xl::Hyperlink* linkAt(qint32 row) const
    {
        const auto found = index->hyperlinkMap().constFind(Worksheet::cellKey(row, 1));
        return found == index->hyperlinkMap().cend() ? nullptr : &found.value();
    }

    XlWorkbook book = std::make_shared<Workbook>(1);
    XlWorksheet index = addSheet("目次");
};

}  // namespace

TEST_F(IndexLinksTest, EachNameLinksToTheSheetOfExactlyThatName)
{
    addSheet("顧客");
    addSheet("Order Detail");
    addSheet("abc");
    writeIndex({"顧客", "消えた表", "Order Detail", "ABC", "Sheet1", "", "顧客"});
    book->worksheets().item(3)->activate();
    book->worksheets().item(3)->range("C5").select();

    LinkIndexSheet(book, index);

    ASSERT_TRUE(linkAt(2));
    EXPECT_EQ(linkAt(2)->subAddress, "顧客!A1");
    EXPECT_TRUE(linkAt(2)->address.isEmpty());
    EXPECT_FALSE(linkAt(3));  // no such sheet: plain text, later rows still linked
    ASSERT_TRUE(linkAt(4));
    EXPECT_EQ(linkAt(4)->subAddress, "Order Detail!A1");  // unquoted, blank kept
    EXPECT_FALSE(linkAt(5));  // names compare with case
    ASSERT_TRUE(linkAt(6));   // default sheets take part
    EXPECT_EQ(linkAt(6)->subAddress, "Sheet1!A1");
    EXPECT_FALSE(linkAt(8));  // the walk ends at the first empty cell
    EXPECT_EQ(index->hyperlinkMap().size(), 3);
    EXPECT_EQ(index->cells(4, 1).value().toText(), "Order Detail");  // the cell reads as before

    EXPECT_EQ(book->activeSheet(), index);
    EXPECT_EQ(index->selectedRow(), 1);
    EXPECT_EQ(index->selectedColumn(), 1);
}

TEST_F(IndexLinksTest, AnEmptyIndexGetsNoLinksButIsActivated)
{
    addSheet("顧客");
    writeIndex({});
    LinkIndexSheet(book, index);
    EXPECT_TRUE(index->hyperlinkMap().isEmpty());
    EXPECT_EQ(book->activeSheet(), index);
}
