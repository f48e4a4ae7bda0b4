#include "KanaTableModel.h"

#include <array>

namespace rov2 {
namespace {

constexpr int kRows = 5;
constexpr int kColumns = 11;

// Column by column, top to bottom; a blank is a cell without a kana, '*' the cell "他".
constexpr std::array<const char16_t*, kColumns> kColumnsText{
    u"あいうえお", u"かきくけこ", u"さしすせそ", u"たちつてと", u"なにぬねの", u"はひふへほ",
    u"まみむめも", u"や ゆ よ",   u"らりるれろ", u"わ を ん",   u"*    "};

QChar cell(int row, int column)
{
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns)
        return QChar(u' ');
    return QChar(kColumnsText[static_cast<size_t>(column)][row]);
}

} // namespace

QString KanaTableModel::kanaAt(const QModelIndex& index) const
{
    const QChar c = cell(index.row(), index.column());
    return c == u' ' || c == u'*' ? QString() : QString(c);
}

QModelIndex KanaTableModel::indexOf(const QString& kana) const
{
    const QChar wanted = kana.isEmpty() ? QChar(u'*') : kana.at(0);
    if (kana.size() > 1 || wanted == u' ')
        return {};
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r)
            if (cell(r, c) == wanted)
                return index(r, c);
    return {};
}

int KanaTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kRows;
}

int KanaTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant KanaTableModel::data(const QModelIndex& index, int role) const
{
    const QChar c = cell(index.row(), index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        if (c == u'*')
            return othersText();
        return c == u' ' ? QVariant() : QVariant(QString(c));
    case Qt::TextAlignmentRole: return int(Qt::AlignCenter);
    case Qt::ToolTipRole:
        return c == u'*' ? QVariant(QStringLiteral("ふりがながかなで始まらない顧客")) : QVariant();
    default: return {};
    }
}

Qt::ItemFlags KanaTableModel::flags(const QModelIndex& index) const
{
    const QChar c = cell(index.row(), index.column());
    if (!index.isValid() || c == u' ')
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QVariant KanaTableModel::headerData(int, Qt::Orientation, int) const
{
    return {};
}

} // namespace rov2
