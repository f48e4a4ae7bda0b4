#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <memory>

namespace SQLite {
class Statement;
}

namespace rov2 {

class Database;

/// An updatable set of rows of one table, in the manner of a dynaset: the
/// set of rows is fixed when it is opened (rows appended through it join at
/// its end), and each row is read afresh when it becomes the current row.
///
/// Right after opening, bof() and eof() are both true when nothing matched.
/// field() of a Null value is a null QVariant, never the empty text.
/// Changes go through addNew() or edit(), setField(), then update(), which
/// writes the row before it returns.
class Recordset {
public:
    Recordset(Database& db, const QString& table, const QString& where, const QVariantList& params,
              const QString& orderBy);
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;
    ~Recordset();

    /// False when the table is missing or the selection failed.
    bool isOpen() const { return open_; }
    bool bof() const { return pos_ < 0 || keys_.isEmpty(); }
    bool eof() const { return pos_ >= keys_.size() || keys_.isEmpty(); }
    int recordCount() const { return static_cast<int>(keys_.size()); }

    void moveFirst();
    void moveNext();
    void moveLast();
    /// Positions on the first row (in this set's order) that also matches @p criterion.
    /// @return false (noMatch) when none does; the position is then unchanged.
    bool findFirst(const QString& criterion, const QVariantList& params = {});

    const QStringList& fieldNames() const { return names_; }
    bool hasField(const QString& name) const { return index_.contains(name); }
    /// The value of a field of the current row (or of the row being edited).
    QVariant field(const QString& name) const;
    /// The rowid of the current row, or -1.
    qint64 rowId() const;

    /// Starts a new row; every field Null until set, defaults applied on update().
    void addNew();
    /// Starts changing the current row.
    void edit();
    /// Sets a field of the row being added or edited. @return false for an unknown field or no edit.
    bool setField(const QString& name, const QVariant& value);
    /// Writes the row being added or edited. @return false on failure (nothing written).
    [[nodiscard]] bool update();
    void cancelUpdate();

private:
    enum class Mode { None, Adding, Editing };
    void loadCurrent();

    Database* db_ = nullptr;
    QString table_;
    QString where_;
    QVariantList params_;
    QStringList names_;
    QHash<QString, int> index_;
    QVector<qint64> keys_;
    int pos_ = 0;
    QVector<QVariant> current_;
    QVector<QVariant> buffer_;
    QVector<bool> dirty_;
    Mode mode_ = Mode::None;
    bool open_ = false;
    std::unique_ptr<SQLite::Statement> rowStmt_;
};

} // namespace rov2
