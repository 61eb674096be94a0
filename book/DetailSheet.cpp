#include "DetailSheet.h"

#include "SheetFormat.h"

#include <QStringList>

#include <utility>
#include <vector>

namespace {

using platform::xl::Worksheet;

// The column list's columns, A to K; the other sections span them.
const QStringList kColumnHeaders{QStringLiteral("No"), QStringLiteral("論理名"), QStringLiteral("物理名"),
    QStringLiteral("データ型"), QStringLiteral("NULL"), QStringLiteral("PK"), QStringLiteral("FK"),
    QStringLiteral("デフォルト"), QStringLiteral("IDENTITY"), QStringLiteral("計算列"), QStringLiteral("説明")};
constexpr qint32 kLastColumn = 11;
const QString kMark = QStringLiteral("○");

// A section's column: its header and the sheet columns it spans.
struct Span {
    QString header;
    qint32 first;
    qint32 last;
};

class DetailWriter {
public:
    explicit DetailWriter(const XlWorksheet& sheet) : sheet_(sheet) {}

    qint32 row() const { return row_; }

    // The header naming the object: a label and its value a row.
    void labels(const std::vector<std::pair<QString, QString>>& entries)  // throws RuntimeError
    {
        const qint32 first = row_ + 1;
        for (const auto& [name, value] : entries) {
            ++row_;
            put(1, 2, name);
            put(3, kLastColumn, value);
        }
        DrawGrid(sheet_->range(QStringLiteral("A%1:K%2").arg(first).arg(row_)));
        FormatHeaderRow(sheet_->range(QStringLiteral("A%1:B%2").arg(first).arg(row_)));
    }

    // A section: its title, a header row and a row per entry; nothing at all
    // for no entries. Returns the header row.
    qint32 section(const QString& title, const std::vector<Span>& spans,
        const std::vector<QStringList>& entries)  // throws RuntimeError
    {
        if (entries.empty() && !title.isEmpty())
            return 0;
        if (row_ > 0)
            ++row_;  // a blank row between blocks
        if (!title.isEmpty()) {
            ++row_;
            put(1, kLastColumn, title);
            sheet_->cells(row_, 1).font().setBold(true);
        }
        const qint32 headerRow = ++row_;
        for (const Span& span : spans)
            put(span.first, span.last, span.header);
        for (const QStringList& entry : entries) {
            ++row_;
            for (std::size_t i = 0; i < spans.size() && i < static_cast<std::size_t>(entry.size()); ++i)
                put(spans[i].first, spans[i].last, entry[static_cast<qsizetype>(i)]);
        }
        DrawGrid(sheet_->range(QStringLiteral("A%1:K%2").arg(headerRow).arg(row_)));
        FormatHeaderRow(sheet_->range(QStringLiteral("A%1:K%1").arg(headerRow)));
        return headerRow;
    }

private:
    void put(qint32 first, qint32 last, const QString& text)  // throws RuntimeError
    {
        sheet_->cells(row_, first).setValue(text);
        if (last > first)
            platform::xl::Range(sheet_, row_, first, row_, last).merge();
    }

    XlWorksheet sheet_;
    qint32 row_ = 0;
};

QString indexType(const IndexDetail& index)
{
    switch (index.type) {
    case 1:
        return QStringLiteral("クラスター化");
    case 2:
        return QStringLiteral("非クラスター化");
    case 3:
        return QStringLiteral("XML");
    case 4:
        return QStringLiteral("空間");
    case 5:
        return QStringLiteral("クラスター化列ストア");
    case 6:
        return QStringLiteral("非クラスター化列ストア");
    case 7:
        return QStringLiteral("ハッシュ");
    default:
        return QString::number(index.type);
    }
}

QString state(bool disabled, bool notTrusted)
{
    QStringList words;
    if (disabled)
        words << QStringLiteral("無効");
    if (notTrusted)
        words << QStringLiteral("未検証");
    return words.join(u'・');
}

QString joined(const QStringList& names)
{
    return names.join(QStringLiteral(", "));
}

std::vector<QStringList> numbered(std::vector<QStringList> entries)
{
    for (std::size_t i = 0; i < entries.size(); ++i)
        entries[i].prepend(QString::number(i + 1));
    return entries;
}

}  // namespace

void PrintDetailSheet(const XlWorksheet& sheet, const ObjectDetail& object)
{
    DetailWriter writer(sheet);
    const SplitDescription own = SplitDescriptionText(object.description);
    writer.labels({{QStringLiteral("論理名"), own.logicalName}, {QStringLiteral("物理名"), object.name},
        {QStringLiteral("スキーマ"), object.schema}, {QStringLiteral("説明"), own.explanation}});

    std::vector<Span> columnSpans;
    for (qint32 c = 1; c <= kLastColumn; ++c)
        columnSpans.push_back({kColumnHeaders[c - 1], c, c});
    std::vector<QStringList> columns;
    for (const ColumnDetail& column : object.columns) {
        const SplitDescription split = SplitDescriptionText(column.description);
        QString computed = column.computed;
        if (column.persisted)
            computed += QStringLiteral(" PERSISTED");
        columns.push_back({split.logicalName, column.name, column.declaredType, column.nullable ? kMark : QString(),
            column.keyOrder > 0 ? QString::number(column.keyOrder) : QString(), column.foreignKey ? kMark : QString(),
            column.defaultDefinition, column.identity, computed, split.explanation});
    }
    const qint32 headerRow = writer.section({}, columnSpans, numbered(std::move(columns)));

    std::vector<QStringList> indexes;
    for (const IndexDetail& index : object.indexes) {
        const QString constraint = index.primaryKey ? QStringLiteral("主キー")
            : index.uniqueConstraint                ? QStringLiteral("一意制約")
                                                    : QString();
        indexes.push_back({index.name, indexType(index), index.unique ? kMark : QString(), constraint,
            joined(index.keyColumns), joined(index.includedColumns), index.filter});
    }
    writer.section(QStringLiteral("インデックス"),
        {{QStringLiteral("No"), 1, 1}, {QStringLiteral("インデックス名"), 2, 3}, {QStringLiteral("種類"), 4, 4},
            {QStringLiteral("一意"), 5, 5}, {QStringLiteral("制約"), 6, 7}, {QStringLiteral("キー列"), 8, 9},
            {QStringLiteral("付加列"), 10, 10}, {QStringLiteral("フィルター"), 11, 11}},
        numbered(std::move(indexes)));

    std::vector<QStringList> foreignKeys;
    for (const ForeignKeyDetail& fk : object.foreignKeys) {
        foreignKeys.push_back({fk.name, joined(fk.columns), fk.referencedTable + QStringLiteral(" (") + joined(fk.referencedColumns) + u')',
            ForeignKeyActionName(fk.onDelete), ForeignKeyActionName(fk.onUpdate), state(fk.disabled, fk.notTrusted)});
    }
    writer.section(QStringLiteral("外部キー"),
        {{QStringLiteral("No"), 1, 1}, {QStringLiteral("外部キー名"), 2, 3}, {QStringLiteral("列"), 4, 4},
            {QStringLiteral("参照先"), 5, 8}, {QStringLiteral("ON DELETE"), 9, 9}, {QStringLiteral("ON UPDATE"), 10, 10},
            {QStringLiteral("状態"), 11, 11}},
        numbered(std::move(foreignKeys)));

    std::vector<QStringList> checks;
    for (const CheckDetail& check : object.checks)
        checks.push_back({check.name, check.column, check.definition, state(check.disabled, check.notTrusted)});
    writer.section(QStringLiteral("チェック制約"),
        {{QStringLiteral("No"), 1, 1}, {QStringLiteral("制約名"), 2, 3}, {QStringLiteral("列"), 4, 4},
            {QStringLiteral("定義"), 5, 10}, {QStringLiteral("状態"), 11, 11}},
        numbered(std::move(checks)));

    std::vector<QStringList> triggers;
    for (const TriggerDetail& trigger : object.triggers) {
        triggers.push_back({trigger.name, joined(trigger.events),
            trigger.insteadOf ? QStringLiteral("INSTEAD OF") : QStringLiteral("AFTER"), state(trigger.disabled, false)});
    }
    writer.section(QStringLiteral("トリガー"),
        {{QStringLiteral("No"), 1, 1}, {QStringLiteral("トリガー名"), 2, 3}, {QStringLiteral("イベント"), 4, 4},
            {QStringLiteral("種類"), 5, 8}, {QStringLiteral("状態"), 9, 11}},
        numbered(std::move(triggers)));

    FormatDetailSheet(sheet, headerRow, writer.row());
}
