#pragma once

#include <QString>

namespace platform::xl {

// XlPageOrientation
enum class PageOrientation : qint32 { Portrait = 1, Landscape = 2 };

// XlPaperSize, as far as used.
inline constexpr qint32 kPaperA4 = 9;
// A4 in points, portrait.
inline constexpr double kA4Width = 595.3;
inline constexpr double kA4Height = 841.9;

// The most characters a footer holds, its three sections with their codes
// (&L, &C, &R) together.
inline constexpr qint32 kMaxFooterLength = 255;

// How a worksheet prints, as the application's PageSetup object holds it.
// Lengths are in points; the footer texts take the codes &A (sheet name),
// &P (page number) and &N (number of pages).
struct PageSetup {
    PageOrientation orientation = PageOrientation::Portrait;
    qint32 paperSize = 0;       // 0: the printer's default paper
    qint32 fitToPagesWide = 0;  // 0 with fitToPagesTall 0: printed at 100 %, unfitted
    qint32 fitToPagesTall = 0;  // 0: as many pages as the rows need
    qint32 printTitleFirstRow = 0;  // rows repeated at the top of every page; 0: none
    qint32 printTitleLastRow = 0;
    qint32 printAreaLastRow = 0;  // the block from A1 that prints; 0: what the sheet holds
    qint32 printAreaLastColumn = 0;
    QString leftFooter, centerFooter, rightFooter;
    // The application's defaults.
    double leftMargin = 0.7 * 72, rightMargin = 0.7 * 72, topMargin = 0.75 * 72, bottomMargin = 0.75 * 72;
    double footerMargin = 0.3 * 72;
};

// `text` as footer text that prints as it reads: "&" doubled, so that it
// starts no code, and control characters, which the file cannot hold, as
// blanks.
QString literalFooterText(const QString& text);

}  // namespace platform::xl
