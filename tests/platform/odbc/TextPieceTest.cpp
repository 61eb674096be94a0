#include "TextPiece.h"

#include <gtest/gtest.h>

#include <array>

using platform::textPiece;
using Buffer = std::array<SQLWCHAR, 4>;

TEST(TextPiece, TheEndIsWhereTheDriverWroteIt)
{
    // FreeTDS on a sql_variant holding a number: a truncation warning on every
    // read, the whole value in the buffer and a length that fits. The read ends.
    const auto number = textPiece(SQL_SUCCESS_WITH_INFO, 2, Buffer{u'1'});
    EXPECT_EQ(number.length, 1);
    EXPECT_FALSE(number.more);

    // A full piece goes on, its length told or not.
    for (const SQLLEN indicator : {SQLLEN{8}, SQLLEN{SQL_NO_TOTAL}}) {
        const auto piece = textPiece(SQL_SUCCESS_WITH_INFO, indicator, Buffer{u'a', u'b', u'c'});
        EXPECT_EQ(piece.length, 3);
        EXPECT_TRUE(piece.more);
    }

    // A length short of the terminator reaches it; a U+0000 within the length stays.
    EXPECT_EQ(textPiece(SQL_SUCCESS, 2, Buffer{u'a', u'b', u'c'}).length, 3);
    EXPECT_EQ(textPiece(SQL_SUCCESS, 6, Buffer{u'a', 0, u'b'}).length, 3);
}
