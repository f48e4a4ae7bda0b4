#include "JpostaReader.h"

#include "JsLiteralParser.h"
#include "Prefectures.h"
#include "TownName.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QMap>
#include <QRegularExpression>

namespace rov2::yubin {
namespace {

const QRegularExpression kModuleName(QStringLiteral("^z(\\d\\d)-[^.]+\\.(c?js)$"));

QStringList stringsOf(const QJsonArray& a)
{
    QStringList out;
    for (const QJsonValue& v : a) {
        if (!v.isString())
            return {};
        out << v.toString();
    }
    return out;
}

/// A whole number held in a JSON value, or -1.
qint64 wholeNumber(const QJsonValue& v)
{
    if (!v.isDouble())
        return -1;
    const double d = v.toDouble();
    return d >= 0 && d == static_cast<double>(static_cast<qint64>(d)) ? static_cast<qint64>(d) : -1;
}

} // namespace

QStringList JpostaReader::moduleFiles(const QString& folder)
{
    // One file per prefix; the ES module and its CommonJS twin hold the same rows.
    QMap<QString, QString> byPrefix;
    const QDir dist(folder + QStringLiteral("/dist"));
    for (const QString& f : dist.entryList(QDir::Files, QDir::Name)) {
        const auto m = kModuleName.match(f);
        if (m.hasMatch() && (!byPrefix.contains(m.captured(1)) || m.captured(2) == QStringLiteral("js")))
            byPrefix.insert(m.captured(1), dist.filePath(f));
    }
    return byPrefix.values();
}

bool JpostaReader::looksLike(const QString& folder)
{
    return !moduleFiles(folder).isEmpty();
}

SourceData JpostaReader::read(const QString& folder)
{
    SourceData data;
    for (const QString& path : moduleFiles(folder)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return SourceData::failed(QStringLiteral("%1: %2").arg(path, file.errorString()));
        if (!readModule(QString::fromUtf8(file.readAll()), path, data))
            return data;
    }
    if (data.rows.isEmpty())
        data.error = QStringLiteral("%1: no postal rows in dist/").arg(folder);
    return data;
}

bool JpostaReader::readModule(const QString& text, const QString& name, SourceData& data)
{
    QString error;
    const auto arrays = JsLiteralParser::assignedArrays(text, &error);
    if (!arrays) {
        data.error = QStringLiteral("%1: %2").arg(name, error);
        return false;
    }
    QStringList cities;
    QJsonArray rows;
    for (const QJsonValue& a : *arrays) {
        const QJsonArray arr = a.toArray();
        if (cities.isEmpty() && !arr.isEmpty())
            cities = stringsOf(arr);
        if (rows.isEmpty() && !arr.isEmpty() && arr.at(0).isArray())
            rows = arr;
    }
    if (cities.isEmpty() || rows.isEmpty()) {
        data.error = QStringLiteral("%1: no city names and rows found").arg(name);
        return false;
    }
    for (const QJsonValue& row : rows)
        readRow(row, cities, name, data);
    return true;
}

void JpostaReader::readRow(const QJsonValue& row, const QStringList& cities, const QString& name,
                           SourceData& data)
{
    const QJsonArray r = row.toArray();
    const qint64 code = wholeNumber(r.at(0));
    const QString prefecture = prefectureName(static_cast<int>(wholeNumber(r.at(1))));
    const qint64 city = wholeNumber(r.at(2));
    const bool ok = (r.size() == 3 || (r.size() == 4 && r.at(3).isString())) && code >= 0 &&
                    code <= 9999999 && !prefecture.isEmpty() && city >= 0 && city < cities.size();
    if (!ok) {
        data.warnings << QStringLiteral("%1: a malformed row %2; skipped")
                             .arg(name, QString::fromUtf8(QJsonDocument(r).toJson(QJsonDocument::Compact)));
        return;
    }
    data.rows << PostalRow{QStringLiteral("%1").arg(code, 7, 10, QLatin1Char('0')), prefecture,
                           cities.at(static_cast<int>(city)), cleanTown(r.at(3).toString())};
}

} // namespace rov2::yubin
