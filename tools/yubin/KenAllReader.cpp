#include "KenAllReader.h"

#include "CsvLine.h"
#include "TextDecoding.h"
#include "TownName.h"

#include <QFile>

namespace rov2::yubin {
namespace {

constexpr int kColumns = 15;
constexpr int kCodeColumn = 2;
constexpr int kPrefectureColumn = 6;
constexpr int kCityColumn = 7;
constexpr int kTownColumn = 8;

} // namespace

SourceData KenAllReader::readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return SourceData::failed(QStringLiteral("%1: %2").arg(path, file.errorString()));
    QString error;
    const auto text = decodeSourceText(file.readAll(), &error);
    if (!text)
        return SourceData::failed(QStringLiteral("%1: %2").arg(path, error));
    SourceData data = readText(*text, path);
    if (data.ok() && data.rows.isEmpty())
        data.error = QStringLiteral("%1: no postal rows in the KEN_ALL layout").arg(path);
    return data;
}

SourceData KenAllReader::readText(const QString& text, const QString& name)
{
    KenAllReader reader(name);
    const QStringList lines = text.split(u'\n');
    for (int i = 0; i < lines.size(); ++i)
        reader.readLine(lines.at(i), i + 1);
    reader.flushPending();
    return std::move(reader.data_);
}

void KenAllReader::readLine(const QString& rawLine, int lineNo)
{
    const QString line = rawLine.endsWith(u'\r') ? rawLine.chopped(1) : rawLine;
    if (line.trimmed().isEmpty())
        return;
    const auto fields = splitCsvLine(line);
    if (!fields || fields->size() != kColumns || !isPostalCode(fields->at(kCodeColumn))) {
        data_.warnings << QStringLiteral("%1:%2: not a row of %3 columns with a seven-digit code; skipped")
                              .arg(name_)
                              .arg(lineNo)
                              .arg(kColumns);
        return;
    }
    PostalRow row{fields->at(kCodeColumn), fields->at(kPrefectureColumn), fields->at(kCityColumn),
                  fields->at(kTownColumn)};
    if (hasPending_ && row.code == pending_.code) {
        pending_.town += row.town;
        if (openParentheses(pending_.town) <= 0)
            flushPending();
        return;
    }
    flushPending();
    pendingLine_ = lineNo;
    startRow(std::move(row));
}

void KenAllReader::startRow(PostalRow row)
{
    pending_ = std::move(row);
    hasPending_ = true;
    if (openParentheses(pending_.town) <= 0)
        flushPending();
}

void KenAllReader::flushPending()
{
    if (!hasPending_)
        return;
    if (openParentheses(pending_.town) > 0)
        data_.warnings << QStringLiteral("%1:%2: the town name opened with （ is never closed; kept as it is")
                              .arg(name_)
                              .arg(pendingLine_);
    pending_.town = cleanTown(pending_.town);
    data_.rows << pending_;
    hasPending_ = false;
}

} // namespace rov2::yubin
