#include "TextPiece.h"

#include <algorithm>

namespace platform {

TextPiece textPiece(SQLRETURN ret, SQLLEN indicator, std::span<const SQLWCHAR> buffer)
{
    const auto room = static_cast<qsizetype>(buffer.size()) - 1;  // the last place holds the terminator
    // A piece that did not hold the rest comes back full. FreeTDS also warns of
    // truncation on every read of a sql_variant holding a number, with the whole
    // value in the buffer: a length that fits says the value ended.
    if (ret == SQL_SUCCESS_WITH_INFO
        && (indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(buffer.size_bytes())))
        return {room, true};
    // MariaDB Connector/ODBC 3.1 may give a length short of what it wrote; the
    // terminator it wrote into the cleared buffer shows the end then.
    const qsizetype told = std::clamp<qsizetype>(indicator / static_cast<SQLLEN>(sizeof(SQLWCHAR)), 0, room);
    const auto end = std::find(buffer.begin() + told, buffer.begin() + room, SQLWCHAR{0});
    return {end - buffer.begin(), false};
}

}  // namespace platform
