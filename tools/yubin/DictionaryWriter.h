#pragma once

#include "SourceData.h"

#include <QSet>
#include <QString>
#include <memory>
#include <optional>

namespace SQLite {
class Statement;
}

namespace rov2 {
class Database;
}

namespace rov2::yubin {

/// Writes a new postal dictionary: table 郵便番号 with its index, filled from
/// the sources in turn. A source adds only the codes that no earlier source
/// had; its rows keep their order, which makes the first row of a code the
/// one the look-up returns.
///
/// Everything is written in one transaction that finish() commits; a writer
/// dropped before that leaves the file without rows.
class DictionaryWriter
{
public:
    /// Creates the file at @p path, which must not exist yet.
    static std::unique_ptr<DictionaryWriter> create(const QString& path, QString* error = nullptr);
    ~DictionaryWriter();
    DictionaryWriter(const DictionaryWriter&) = delete;
    DictionaryWriter& operator=(const DictionaryWriter&) = delete;

    struct Added
    {
        int rows = 0;
        int codes = 0;
    };
    /// Appends the rows of @p data whose code the earlier sources lack.
    /// @return what was added, or nothing with the reason in @p error.
    std::optional<Added> add(const SourceData& data, QString* error = nullptr);

    /// Adds the folded addresses that the address search reads (see
    /// postalsearch::write) and commits everything.
    /// @return false, with the reason in @p error, on failure.
    bool finish(QString* error = nullptr);

    int rows() const { return rows_; }
    int codes() const { return static_cast<int>(known_.size()); }

private:
    explicit DictionaryWriter(std::unique_ptr<Database> db);
    bool insert(const PostalRow& row, QString* error);

    std::unique_ptr<Database> db_;
    std::unique_ptr<SQLite::Statement> insert_;
    QSet<QString> known_;
    int rows_ = 0;
};

} // namespace rov2::yubin
