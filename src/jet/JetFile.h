#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

#include <memory>

namespace rov2::jet {

/// Options for opening a Jet file.
struct JetOptions {
    /// Code page of the text in Jet 3 files (iconv name). Jet 3 stores text in
    /// the Windows code page of the machine that wrote it; the shops' machines
    /// are Japanese. Jet 4 text is UTF-16 and ignores this.
    QString jet3CodePage = QStringLiteral("CP932");
};

class JetTable;

/// A Jet 3 or Jet 4 database file (.mdb) opened read-only through libmdb.
class JetFile {
public:
    /// @return the open file, or nullptr with the reason in @p error when the
    /// file is missing or not a Jet file.
    static std::unique_ptr<JetFile> open(const QString& path, const JetOptions& options = {},
                                         QString* error = nullptr);
    ~JetFile();
    JetFile(const JetFile&) = delete;
    JetFile& operator=(const JetFile&) = delete;

    /// 3 or 4.
    int jetVersion() const;
    /// The user tables, in the order of the file's catalogue (system tables left out).
    QStringList tableNames() const;
    /// Opens a table for reading its rows; nullptr (reason in @p error) when it is missing.
    /// Jet matches table names without regard to case, and so does this.
    std::unique_ptr<JetTable> openTable(const QString& name, QString* error = nullptr);
    /// Reads every table of the file to its end, the catalogue and the system
    /// tables too. @return false, with the table and what went wrong in
    /// @p error, when any of it cannot be read (a damaged file, or one cut
    /// short at a page boundary, which otherwise looks whole).
    bool readsWhole(QString* error = nullptr);

private:
    struct Impl;
    explicit JetFile(std::unique_ptr<Impl> impl);
    static bool catalogueWellFormed(Impl& impl);
    std::unique_ptr<Impl> d_;
};

/// The rows of one table, read forward once. Values: text and memo as
/// QString, Byte/Integer/Long as qint64, Single/Double/Currency/Decimal as
/// double, Yes/No as -1 or 0 (the stored convention), dates as QDateTime
/// (local time, no zone; a date-only value has time 00:00:00), binary and OLE
/// as QByteArray, Null as a null QVariant (never the empty text).
class JetTable {
public:
    ~JetTable();
    JetTable(const JetTable&) = delete;
    JetTable& operator=(const JetTable&) = delete;

    const QString& name() const;
    const QStringList& fieldNames() const;
    /// Number of rows the table header announces.
    qint64 rowCountHint() const;

    /// Why reading stopped before the table's true end.
    enum class Fault {
        None,
        Overran,     ///< more rows than the table's definition holds
        RowsMissing, ///< fewer rows than it holds: a page could not be read
        ValueMissing, ///< a memo or OLE value kept on another page could not be read
        RowDamaged    ///< a row's values point outside its page
    };

    /// Reads the next row. @return false at the end, or when the table could
    /// not be read further (see fault()).
    bool next();
    Fault fault() const;
    /// The fault with the table's name, for logs and reports; empty without one.
    QString faultText() const;
    QVariant value(int field) const;
    QVariant value(const QString& field) const;
    QVariantMap row() const;

private:
    friend class JetFile;
    struct Impl;
    explicit JetTable(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> d_;
};

/// Days since 1899-12-30 (Jet's stored date) as a date and time; the
/// fraction is the time of day, and for days before the epoch it still counts
/// forward from midnight. Invalid when the value is outside years 100 to 9999.
QDateTime dateFromJet(double stored);

/// True when the first bytes of @p header are those of a Jet database file.
bool isJetHeader(const QByteArray& header);

} // namespace rov2::jet
