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

TEST_F(IndexLinksTest, EachRowLinksToItsObjectsSheetWhateverItIsCalledAndKeepsItsName)
{
    const QString culture = "ProductModelProductDescriptionCulture";
    const std::vector<XlWorksheet> objectSheets{addSheet("Order Detail"), addSheet("目次~2"), addSheet(culture.left(31))};
    writeIndex({"Order Detail", "目次", culture});
    book->worksheets().item(3)->activate();
    book->worksheets().item(3)->range("C5").select();

    LinkIndexSheet(objectSheets, index);

    const QStringList targets{"Order Detail!A1", "目次~2!A1", culture.left(31) + "!A1"};  // unquoted, blank kept
    for (qint32 row = 2; row <= 4; ++row) {
        ASSERT_TRUE(linkAt(row)) << row;
        EXPECT_EQ(linkAt(row)->subAddress, targets[row - 2]);
        EXPECT_TRUE(linkAt(row)->address.isEmpty());
    }
    EXPECT_EQ(index->cells(3, 1).value().toText(), "目次");  // the row reads as before
    EXPECT_EQ(index->cells(4, 1).value().toText(), culture);
    EXPECT_EQ(index->hyperlinkMap().size(), 3);

    EXPECT_EQ(book->activeSheet(), index);
    EXPECT_EQ(index->selectedRow(), 1);
    EXPECT_EQ(index->selectedColumn(), 1);
}

TEST_F(IndexLinksTest, AnEmptyIndexGetsNoLinksButIsActivated)
{
    addSheet("顧客");
    writeIndex({});
    LinkIndexSheet({}, index);
    EXPECT_TRUE(index->hyperlinkMap().isEmpty());
    EXPECT_EQ(book->activeSheet(), index);
}
