#pragma once

#include "MatchTableModel.h"

#include <QDialog>
#include <QStringList>

#include <optional>

class QLabel;

namespace rov2 {

class MatchList;
class TextBox;

/// A look-up window searched as the user types: one input, a line with the
/// count, the list. Every change of the text searches again; Down goes into
/// the list, Enter chooses the current row (the first after each search),
/// Esc or closing the window answers nothing.
class TypedSearchWindow : public QDialog
{
    Q_OBJECT

public:
    /// Searches for the text of the input; run on every change of it.
    void Search();

protected:
    struct Names {
        const char* title;
        const char* input; ///< control name of the input
        const char* list;  ///< control name of the list
        QStringList headers;
        const char* legend;
    };
    TypedSearchWindow(const Names& names, QWidget* parent);

    struct Found {
        QVector<MatchTableModel::Row> rows;
        bool more = false; ///< the list was cut at its limit
    };
    /// The rows for @p text, or nothing when the file could not be read (then
    /// @p failure holds the line shown in place of the count).
    virtual std::optional<Found> find(const QString& text, QString* failure) = 0;
    /// The count line for @p rows rows found, or for an empty text when @p text is empty.
    virtual QString countText(const QString& text, int rows, bool more) const = 0;
    /// Keeps what the chosen row answers; the window then closes accepted.
    virtual void keep(const MatchTableModel::Row& row) = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(int row);

    TextBox* input_ = nullptr;
    MatchList* list_ = nullptr;
    QLabel* count_ = nullptr;
    MatchTableModel* model_ = nullptr;
};

/// "1,234件": a count as the look-up windows show it.
QString countWithUnit(int n);

} // namespace rov2
