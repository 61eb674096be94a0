#include "Workbook.h"

#include "ObjectErrors.h"
#include "SheetErrors.h"

#include <algorithm>

namespace platform::xl {

namespace {

const QString kSheetNameRule = QStringLiteral(
    "シート名が正しくありません。シート名は 1 から 31 文字で、次の文字は使用できません: : \\ / ? * [ ]"
    " また、先頭と末尾にアポストロフィ (') は使用できません。");

quint64 formatKey(const CellFormat& f)
{
    // Colour indexes fit in 8 bits once the two special values are folded in.
    const auto color = [](qint32 index) -> quint64 {
        return index == kColorIndexNone ? 0 : index == kColorIndexAutomatic ? 57 : quint64(index);
    };
    const auto edge = [](LineStyle style) -> quint64 {
        return style == LineStyle::None ? 0 : style == LineStyle::Continuous ? 1 : 2;
    };
    return edge(f.edges[0]) | edge(f.edges[1]) << 2 | edge(f.edges[2]) << 4 | edge(f.edges[3]) << 6
        | color(f.fillColorIndex) << 8 | color(f.fontColorIndex) << 16 | quint64(f.bold) << 24
        | quint64(f.wrapText) << 25 | quint64(static_cast<quint32>(f.verticalAlignment)) << 32;
}

// `name` with "_" for each character a sheet name may not hold: those the
// application refuses, and those the file cannot (controls, and lone
// surrogates, which would reach it as "?").
QString withoutRefusedCharacters(QString name)
{
    static const QString kRefused = QStringLiteral(":\\/?*[]");
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (c.isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate() || c.unicode() < 0x20 || kRefused.contains(c))
            name[i] = u'_';
    }
    return name;
}

bool isWellFormedSheetName(const QString& name)
{
    return !name.isEmpty() && name.size() <= kMaxSheetNameLength && !name.startsWith(u'\'')
        && !name.endsWith(u'\'') && withoutRefusedCharacters(name) == name;
}

// At most `length` UTF-16 units of a text whose surrogates are all paired.
QString cutWhole(const QString& text, qsizetype length)
{
    return text.size() <= length ? text : text.left(text[length - 1].isHighSurrogate() ? length - 1 : length);
}

}  // namespace

Workbook::Workbook(qint32 defaultSheets)
{
    formats_.push_back(CellFormat{});
    formatIds_.insert(formatKey(CellFormat{}), 0);
    for (qint32 i = 0; i < defaultSheets; ++i)
        insertSheet(sheets_.size(), std::make_shared<Worksheet>(*this, nextSheetName()));
    defaultSheets_.assign(sheets_.begin(), sheets_.end());
    active_ = sheets_.front();
}

Workbook::~Workbook()
{
    // Handles the caller still holds see their sheet as deleted.
    for (const std::shared_ptr<Worksheet>& sheet : sheets_)
        sheet->workbook_ = nullptr;
}

std::shared_ptr<Worksheet> Workbook::activeSheet() const
{
    return active_.lock();
}

std::vector<std::shared_ptr<Worksheet>> Workbook::defaultSheets() const
{
    std::vector<std::shared_ptr<Worksheet>> present;
    for (const std::weak_ptr<Worksheet>& sheet : defaultSheets_) {
        if (const auto held = sheet.lock(); held && !held->isDeleted())
            present.push_back(held);
    }
    return present;
}

quint16 Workbook::internFormat(const CellFormat& format)
{
    const quint64 key = formatKey(format);
    const auto found = formatIds_.constFind(key);
    if (found != formatIds_.cend())
        return found.value();
    if (formats_.size() > 0xFFFF)
        throwApplicationDefined(QStringLiteral("異なるセルの書式が多すぎます。"));
    formats_.push_back(format);
    const auto id = static_cast<quint16>(formats_.size() - 1);
    formatIds_.insert(key, id);
    return id;
}

void Workbook::checkSheetName(const QString& name, const Worksheet* renamed) const
{
    if (!isWellFormedSheetName(name))
        throwApplicationDefined(kSheetNameRule);
    if (holdsSheetName(name, renamed))
        throwApplicationDefined(QStringLiteral("この名前は既に使用されています。別の名前を入力してください。"));
}

bool Workbook::holdsSheetName(const QString& name, const Worksheet* except) const
{
    const auto found = sheetsByFoldedName_.constFind(name.toCaseFolded());
    return found != sheetsByFoldedName_.cend() && found.value() != except;
}

QString Workbook::sheetNameFor(const QString& wanted, const Worksheet* sheet) const
{
    if (isWellFormedSheetName(wanted) && !holdsSheetName(wanted, sheet))
        return wanted;
    QString base = withoutRefusedCharacters(wanted);
    qsizetype start = 0;
    while (start < base.size() && base[start] == u'\'')
        ++start;
    base = cutWhole(base.mid(start), kMaxSheetNameLength);
    while (base.endsWith(u'\''))
        base.chop(1);
    if (base.isEmpty())
        base = QStringLiteral("_");
    QString name = base;
    for (qint32 counter = 2; holdsSheetName(name, sheet); ++counter) {
        const QString mark = u'~' + QString::number(counter);
        name = cutWhole(base, kMaxSheetNameLength - mark.size()) + mark;
    }
    return name;
}

QString Workbook::nextSheetName()
{
    for (;;) {
        const QString name = QStringLiteral("Sheet%1").arg(++sheetCounter_);
        if (!sheetsByFoldedName_.contains(name.toCaseFolded()))
            return name;
    }
}

void Workbook::insertSheet(std::size_t position, std::shared_ptr<Worksheet> sheet)
{
    sheetsByFoldedName_.insert(sheet->name_.toCaseFolded(), sheet.get());
    sheets_.insert(sheets_.begin() + static_cast<std::ptrdiff_t>(position), std::move(sheet));
}

qint32 Workbook::indexOf(const Worksheet* sheet) const
{
    const auto it = std::find_if(sheets_.begin(), sheets_.end(),
        [sheet](const std::shared_ptr<Worksheet>& s) { return s.get() == sheet; });
    return it == sheets_.end() ? -1 : static_cast<qint32>(it - sheets_.begin());
}

const std::shared_ptr<Worksheet>& Workbook::Worksheets::item(qint32 index) const
{
    if (index < 1 || index > count())
        throwSubscriptOutOfRange();
    return book_.sheets_[static_cast<std::size_t>(index - 1)];
}

const std::shared_ptr<Worksheet>& Workbook::Worksheets::item(const QString& name) const
{
    for (const std::shared_ptr<Worksheet>& sheet : book_.sheets_) {
        if (sheet->name_.compare(name, Qt::CaseInsensitive) == 0)
            return sheet;
    }
    throwSubscriptOutOfRange();
}

std::shared_ptr<Worksheet> Workbook::Worksheets::add(const std::shared_ptr<Worksheet>& after)
{
    const qint32 index = after ? book_.indexOf(after.get()) : -1;
    if (index < 0)
        throwApplicationDefined(QStringLiteral("Worksheet クラスの Add メソッドが失敗しました。"));
    auto sheet = std::make_shared<Worksheet>(book_, book_.nextSheetName());
    book_.insertSheet(static_cast<std::size_t>(index) + 1, sheet);
    book_.active_ = sheet;
    return sheet;
}

}  // namespace platform::xl
