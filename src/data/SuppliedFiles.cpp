#include "SuppliedFiles.h"

#include "Database.h"

#include <QFile>
#include <iterator>
#include <QFileInfo>
#include <QtDebug>

namespace rov2 {
namespace {

struct Relationship {
    const char* name;
    const char* sex;
};

// The entries a new user finds in the lists at once; the remaining slots stay free.
const char* const kHonorifics[] = {"様", "殿", "御中", "先生", "さん", "君", "ちゃん"};

const Relationship kRelationships[] = {
    {"夫", "男"},   {"妻", "女"},   {"父", "男"},     {"母", "女"},     {"長男", "男"},   {"次男", "男"},
    {"三男", "男"}, {"長女", "女"}, {"次女", "女"},   {"三女", "女"},   {"祖父", "男"},   {"祖母", "女"},
    {"兄", "男"},   {"弟", "男"},   {"姉", "女"},     {"妹", "女"},     {"孫", ""},       {"義父", "男"},
    {"義母", "女"}, {"叔父", "男"}, {"叔母", "女"},   {"甥", "男"},     {"姪", "女"},     {"子", ""},
};

constexpr int kSlots = 30;

bool createTables(Database& db, FileKind kind)
{
    for (const TableLayout& t : tablesOf(kind)) {
        if (!db.execute(t.createStatement()))
            return false;
        for (const QString& ix : t.indexStatements())
            if (!db.execute(ix))
                return false;
    }
    return db.execute(QStringLiteral("PRAGMA user_version = %1").arg(kLayoutVersion));
}

bool fillCodeSlots(Database& db)
{
    const QString sql = QStringLiteral("INSERT INTO コードマスタ (kcode, code, sname, cnt, 性別) VALUES (?, ?, ?, ?, ?)");
    for (const QString& kind : codeKinds()) {
        for (int slot = 1; slot <= kSlots; ++slot) {
            QVariant name, sex;
            const int i = slot - 1;
            if (kind == QStringLiteral("敬称") && i < static_cast<int>(std::size(kHonorifics)))
                name = QString::fromUtf8(kHonorifics[i]);
            if (kind == QStringLiteral("続柄") && i < static_cast<int>(std::size(kRelationships))) {
                name = QString::fromUtf8(kRelationships[i].name);
                sex = QString::fromUtf8(kRelationships[i].sex);
            }
            const QString code = QStringLiteral("%1").arg(slot, 2, 10, QLatin1Char('0'));
            if (!db.execute(sql, {kind, code, name, QVariant(), sex}))
                return false;
        }
    }
    return true;
}

bool fillSettings(Database& db)
{
    return db.execute(QStringLiteral("INSERT INTO 自社情報 (yubinlocalEriaSw, 区分登録1, 区分登録2, 敬称登録, 続柄登録, "
                                     "性別, 年号, クイック) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                      {false, true, true, true, true, QStringLiteral("男"), QStringLiteral("西暦"),
                       QStringLiteral("しない")});
}

bool fillFamilyRows(Database& db)
{
    for (int i = 0; i < 10; ++i)
        if (!db.execute(QStringLiteral("INSERT INTO w家族情報 (年齢) VALUES (NULL)")))
            return false;
    return true;
}

template <typename Fill>
bool createFile(const QString& path, FileKind kind, Fill fill, QString* error)
{
    bool ok = false;
    {
        auto db = Database::createNew(path, error);
        if (!db)
            return false;
        Transaction tx(*db);
        ok = tx.active() && createTables(*db, kind) && fill(*db) && tx.commit();
        if (!ok && error)
            *error = db->lastError();
    }
    if (!ok) {
        qWarning().noquote() << "cannot create" << path;
        QFile::remove(path);
    }
    return ok;
}

} // namespace

QStringList codeKinds()
{
    return {QStringLiteral("区分1"), QStringLiteral("区分2"), QStringLiteral("敬称"), QStringLiteral("続柄")};
}

bool createEmptyFile(const QString& path, FileKind kind, QString* error)
{
    return createFile(path, kind, [](Database&) { return true; }, error);
}

bool createSuppliedDataFile(const QString& path, QString* error)
{
    return createFile(path, FileKind::Data, [](Database& db) { return fillCodeSlots(db) && fillSettings(db); },
                      error);
}

bool createSuppliedWorkFile(const QString& path, QString* error)
{
    return createFile(path, FileKind::Work, fillFamilyRows, error);
}

FileState checkFile(const QString& path, FileKind kind)
{
    if (!QFileInfo(path).isFile())
        return FileState::Missing;
    auto db = Database::open(path);
    if (!db)
        return FileState::NotOurs;
    for (const TableLayout& t : tablesOf(kind))
        if (!db->hasTable(t.name))
            return FileState::NotOurs;
    return FileState::Ok;
}

} // namespace rov2
