#include "HintStore.h"

#include "Database.h"
#include "Query.h"

#include <QtDebug>

namespace rov2::HintStore {
namespace {

const QString kDelete = QStringLiteral("DELETE FROM VtHint WHERE FormName = ? AND CtlName = ?");

} // namespace

std::optional<Note> read(const QString& hintFile, const QString& formName, const QString& controlName)
{
    auto db = Database::open(hintFile);
    if (!db)
        return std::nullopt;
    Query q = db->query(QStringLiteral("SELECT Contents FROM VtHint WHERE FormName = ? AND CtlName = ?"),
                        {formName, controlName});
    Note note;
    if (q.next()) {
        note.found = true;
        note.contents = q.value(0).toString();
    }
    if (!q.ok() && !note.found) {
        qWarning().noquote() << "hints: cannot read VtHint:" << db->lastError();
        return std::nullopt;
    }
    return note;
}

bool write(const QString& hintFile, const QString& formName, const QString& controlName, const QString& formTitle,
           const QString& contents)
{
    auto db = Database::open(hintFile);
    if (!db)
        return false;
    Transaction tx(*db);
    const bool ok =
        tx.active() && db->execute(kDelete, {formName, controlName}) &&
        db->execute(QStringLiteral("INSERT INTO VtHint (FormName, CtlName, FormTitle, Contents) VALUES (?, ?, ?, ?)"),
                    {formName, controlName, formTitle, contents}) &&
        tx.commit();
    if (!ok)
        qWarning().noquote() << "hints: the note of" << formName << controlName << "was not saved:" << db->lastError();
    return ok;
}

bool remove(const QString& hintFile, const QString& formName, const QString& controlName)
{
    auto db = Database::open(hintFile);
    if (!db)
        return false;
    return db->execute(kDelete, {formName, controlName});
}

} // namespace rov2::HintStore
