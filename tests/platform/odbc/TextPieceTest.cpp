#include "TextPiece.h"

#include <gtest/gtest.h>

#include <vector>

using platform::textPiece;

namespace {

// A cleared buffer of `size` places with `text` written at its start.
std::vector<SQLWCHAR> written(const QString& text, std::size_t size)
{
    std::vector<SQLWCHAR> buffer(size, 0);
    std::copy(text.utf16(), text.utf16() + text.size(), buffer.begin());
    return buffer;
}

}  // namespace

TEST(TextPiece, TheEndIsWhereTheDriverWroteIt)
{
    // MariaDB's driver: whole text and terminator written, length one short.
    auto piece = textPiece(SQL_SUCCESS, 4, written(u"仕様書"_qs, 8));
    EXPECT_EQ(piece.length, 3);
    EXPECT_FALSE(piece.more);

    // A terminator inside the length is a character of the value.
    piece = textPiece(SQL_SUCCESS, 6, written(QString(u"a\0b"_qs), 8));
    EXPECT_EQ(piece.length, 3);

    // FreeTDS on a sql_variant holding a number: a truncation warning on every
    // read, with a length that fits. The value is complete, so a read loop ends.
    piece = textPiece(SQL_SUCCESS_WITH_INFO, 2, written(u"1"_qs, 4));
    EXPECT_EQ(piece.length, 1);
    EXPECT_FALSE(piece.more);

    // A full piece, its length told or not, goes on.
    for (const SQLLEN indicator : {SQLLEN{8}, SQLLEN{SQL_NO_TOTAL}}) {
        piece = textPiece(SQL_SUCCESS_WITH_INFO, indicator, written(u"abc"_qs, 4));
        EXPECT_EQ(piece.length, 3);
        EXPECT_TRUE(piece.more);
    }
}
