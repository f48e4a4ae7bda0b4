#include "ZipcodeLookupReader.h"

#include "TownName.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace rov2::yubin {
namespace {

QString masterFile(const QString& folder, const QString& table)
{
    return folder + QStringLiteral("/master/") + table + QStringLiteral(".json");
}

/// The object under @p table in master/<table>.json, or nothing with the reason in @p error.
std::optional<QJsonObject> loadTable(const QString& folder, const QString& table, QString& error)
{
    const QString path = masterFile(folder, table);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &err);
    const QJsonValue inner = doc.object().value(table);
    if (!inner.isObject()) {
        error = QStringLiteral("%1: no object \"%2\" (%3)").arg(path, table, err.errorString());
        return std::nullopt;
    }
    return inner.toObject();
}

/// The first element of [name, reading], the form of pref.json and city.json.
QString nameOf(const QJsonObject& table, const QString& key)
{
    return table.value(key).toArray().at(0).toString();
}

} // namespace

bool ZipcodeLookupReader::looksLike(const QString& folder)
{
    return QFileInfo(masterFile(folder, QStringLiteral("zip7"))).isFile();
}

SourceData ZipcodeLookupReader::read(const QString& folder)
{
    ZipcodeLookupReader r;
    if (!r.load(folder))
        return std::move(r.data_);
    for (auto it = r.codes_.constBegin(); it != r.codes_.constEnd(); ++it)
        r.readCode(it.key(), it.value());
    if (r.data_.rows.isEmpty())
        r.data_.error = QStringLiteral("%1: no postal rows in master/zip7.json").arg(folder);
    return std::move(r.data_);
}

bool ZipcodeLookupReader::load(const QString& folder)
{
    QJsonObject* tables[] = {&prefectures_, &cities_, &prefixes_, &codes_};
    const char* names[] = {"pref", "city", "zip5", "zip7"};
    for (int i = 0; i < 4; ++i) {
        const auto t = loadTable(folder, QString::fromLatin1(names[i]), data_.error);
        if (!t)
            return false;
        *tables[i] = *t;
    }
    return true;
}

int ZipcodeLookupReader::defaultCity(const QString& code) const
{
    // A prefix maps to a city code, or to [city code, town] for a prefix whose
    // codes all lie in one place.
    const QJsonValue v = prefixes_.value(code.left(5));
    const QJsonValue city = v.isArray() ? v.toArray().at(0) : v;
    return city.isDouble() ? city.toInt() : -1;
}

void ZipcodeLookupReader::readCode(const QString& code, const QJsonValue& towns)
{
    int city = defaultCity(code);
    if (towns.isString()) {
        addRow(code, city, towns.toString());
        return;
    }
    if (!towns.isArray()) {
        data_.warnings << QStringLiteral("zip7 %1: neither a town nor a list; skipped").arg(code);
        return;
    }
    for (const QJsonValue& item : towns.toArray()) {
        if (item.isDouble())
            city = item.toInt();
        else
            addRow(code, city, item.toString());
    }
}

void ZipcodeLookupReader::addRow(const QString& code, int city, const QString& town)
{
    const QString cityKey = QStringLiteral("%1").arg(city, 5, 10, QLatin1Char('0'));
    const QString cityName = city < 0 ? QString() : nameOf(cities_, cityKey);
    const QString prefecture = nameOf(prefectures_, cityKey.left(2));
    if (!isPostalCode(code) || cityName.isEmpty() || prefecture.isEmpty()) {
        data_.warnings << QStringLiteral("zip7 %1: unknown code or city %2; skipped").arg(code).arg(city);
        return;
    }
    data_.rows << PostalRow{code, prefecture, cityName, cleanTown(town)};
}

} // namespace rov2::yubin
