#include "BulkDeletion.h"

#include "Database.h"

#include <QVariantList>
#include <QtDebug>

#include <initializer_list>

namespace rov2::BulkDeletion {
namespace {

const QString kCustomers = QStringLiteral("DELETE FROM 顧客マスタ");
const QString kFamilies = QStringLiteral("DELETE FROM 家族情報");
const QString kCodeNames = QStringLiteral("UPDATE コードマスタ SET sname = NULL");

bool runTogether(const QString& dataFile, std::initializer_list<QString> statements, const QVariantList& params = {})
{
    QString error;
    auto db = Database::open(dataFile, &error);
    if (!db) {
        qWarning().noquote() << "deletion: cannot open" << dataFile << error;
        return false;
    }
    Transaction tx(*db);
    if (!tx.active())
        return false;
    for (const QString& sql : statements)
        if (!db->execute(sql, params))
            return false; // logged by execute; the transaction rolls back
    if (!tx.commit()) {
        qWarning().noquote() << "deletion: cannot commit" << db->lastError();
        return false;
    }
    return true;
}

} // namespace

bool deleteAllCustomers(const QString& dataFile) { return runTogether(dataFile, {kCustomers, kFamilies}); }

bool blankCodeNames(const QString& dataFile) { return runTogether(dataFile, {kCodeNames}); }

bool deleteAllData(const QString& dataFile) { return runTogether(dataFile, {kCustomers, kFamilies, kCodeNames}); }

bool deleteCallHistory(const QString& dataFile)
{
    return runTogether(dataFile, {QStringLiteral("DELETE FROM 着信履歴")});
}

bool deleteCustomerByCode(const QString& dataFile, qint64 code)
{
    return runTogether(dataFile,
                       {QStringLiteral("DELETE FROM 着信履歴 WHERE code = ?"),
                        QStringLiteral("DELETE FROM 顧客マスタ WHERE code = ?"),
                        QStringLiteral("DELETE FROM 電話番号 WHERE code = ?")},
                       {code});
}

} // namespace rov2::BulkDeletion
