#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <vector>

namespace rov2 {

class Database;
class RowCursor;

/// Receives the conversion's progress: the stage text and the name of the
/// row being copied. The screen shows them in Lblコンバート and lblコンバート2.
using ConvertProgressFn = std::function<void(const QString& stage, const QString& current)>;

/// Passes progress on by time, not by row, so that a long conversion is not
/// slowed down by repainting its own panel.
class ConvertProgressClock {
public:
    explicit ConvertProgressClock(ConvertProgressFn fn, int intervalMs = 200);
    /// A new stage: reported at once, with no current name.
    void stage(const QString& text);
    /// The row being copied: reported when the interval has passed since the last report.
    void row(const QString& current);

private:
    ConvertProgressFn fn_;
    int intervalMs_;
    QString stage_;
    QElapsedTimer clock_;
};

/// One field of a table conversion: the current field filled from the old one.
struct ConvertField {
    QString current;
    QString old;
};

/// How one table's rows are merged into the current file.
struct ConvertTablePlan {
    QString table;
    std::vector<ConvertField> fields;
    /// Current fields that find the row to overwrite; empty: the table's first row.
    QStringList keys;
    /// Old field shown as the current name while converting; empty: none.
    QString shownField;
    /// Shows an empty text for a Null shown field (else the previous name stays).
    bool showNullAsEmpty = false;
};

/// What a table conversion did.
struct ConvertTableResult {
    bool ok = true;
    qint64 read = 0;        ///< old rows looked at: added + overwritten + refused
    qint64 added = 0;
    qint64 overwritten = 0;
    qint64 refused = 0;     ///< old rows whose key is not text, or empty
    QString error;
};

/// Merges the rows of @p old into @p plan.table of @p current: each old row
/// overwrites, field by field, the first current row with the same key (Null
/// keys match Null) or is added; fields outside the plan keep their values;
/// nothing is deleted. Fields the old table lacks are left alone. Values are bound.
/// An old row whose key is not a text, or is empty, is refused and counted:
/// it could not be found again, and each run would add it once more.
/// Runs inside the caller's transaction; stops at the first failure.
ConvertTableResult mergeTable(Database& current, RowCursor& old, const ConvertTablePlan& plan,
                              ConvertProgressClock& progress);

/// A value read from an older file as this program stores it: dates as
/// "yyyy/mm/dd" text (with the time when it has one), everything else unchanged.
QVariant storedValue(const QVariant& v);

/// The field of @p fields named @p name without regard to case (Jet's way), or empty.
QString matchField(const QStringList& fields, const QString& name);

} // namespace rov2
