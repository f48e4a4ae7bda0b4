// Postcards for 1,000 customers, each with up to three family members as
// joint names and the shop as sender: laying the cards out (shaping every
// line) and writing their PDF, beside the baseline of the address-label PDF
// of the same customers (84 sheets) made the way the label print makes it.
//
//     bench_postcards [runs] [--png FOLDER]
//
// runs defaults to 3, the best run is printed. With --png, a few cards of
// every kind are also drawn to PNG files in FOLDER, for looking at them.
#include "BenchFiles.h"
#include "CustomerListStore.h"
#include "FontSubstitutes.h"
#include "PostcardLayout.h"
#include "PostcardReport.h"
#include "PrintDataStore.h"
#include "ProgramEnv.h"
#include "ReportPainter.h"
#include "TackReport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <SQLiteCpp/SQLiteCpp.h>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

using rov2::bench::bestOf;

using rov2::report::PostcardAddressee;
using rov2::report::PostcardOptions;

constexpr qint64 kCustomers = 1000;

QString text(const SQLite::Column& c)
{
    return QString::fromStdString(c.getString());
}

std::vector<PostcardAddressee> addressees(const QString& dataFile)
{
    SQLite::Database db(dataFile.toStdString(), SQLite::OPEN_READONLY);
    SQLite::Statement customers(db,
                                "SELECT 名称, 敬称, 郵便番号, 住所1, 住所2 FROM 顧客マスタ ORDER BY rowid");
    SQLite::Statement family(db, "SELECT 氏名 FROM 家族情報 WHERE 名称 = ? ORDER BY 行番号 LIMIT 3");
    std::vector<PostcardAddressee> cards;
    while (customers.executeStep()) {
        PostcardAddressee a{text(customers.getColumn(2)), text(customers.getColumn(3)),
                            text(customers.getColumn(4)), text(customers.getColumn(0)),
                            text(customers.getColumn(1)), {}};
        if (a.honorific.isEmpty())
            a.honorific = QStringLiteral("様");
        family.bind(1, customers.getColumn(0).getString());
        while (family.executeStep())
            a.jointNames.push_back({text(family.getColumn(0)), QStringLiteral("様")});
        family.reset();
        cards.push_back(std::move(a));
    }
    return cards;
}

rov2::report::PostcardSender shop()
{
    return {QStringLiteral("150-0001"), QStringLiteral("東京都渋谷区神宮前1-2-3 さくらビル2F"),
            QStringLiteral("さくら商店"), QStringLiteral("03-1234-5678")};
}

constexpr double kPngDpi = 200;

/// The postal frame the card comes with, in red, to see the digits in it.
void drawFrame(QImage& image, rov2::report::PostcardPaper paper)
{
    QPainter painter(&image);
    painter.setPen(QPen(Qt::red, 1));
    painter.scale(kPngDpi / 25.4, kPngDpi / 25.4);
    for (const QRectF& box : rov2::report::postalFrameMm(paper))
        painter.drawRect(box);
}

/// Cards of every kind, drawn to PNG files for the eye.
void writePngs(const std::vector<PostcardAddressee>& sample, const QString& folder)
{
    QDir().mkpath(folder);
    PostcardAddressee odd = sample.front();
    odd.postalCode = QStringLiteral("123-45");
    odd.address1 = QStringLiteral("北海道札幌市中央区北一条西二丁目緑ヶ丘第三住宅地区12番地の34");
    odd.address2 = QStringLiteral("グランドメゾン「札幌」中央（ステーション）フロントタワー南棟2345号室");
    odd.jointNames = {{QStringLiteral("佐藤　一郎"), QStringLiteral("様")}};
    const std::vector<PostcardAddressee> cards = {sample[0], sample[1], odd};
    struct Kind
    {
        const char* name;
        PostcardOptions options;
    };
    PostcardOptions down;
    down.printSender = true;
    PostcardOptions written = down;
    written.kanjiNumerals = false;
    PostcardOptions across = down;
    across.writing = rov2::report::PostcardWriting::Horizontal;
    PostcardOptions envelope = down;
    envelope.paper = rov2::report::PostcardPaper::LongEnvelope3;
    for (const Kind& k :
         {Kind{"down", down}, Kind{"numbers", written}, Kind{"across", across}, Kind{"envelope", envelope}}) {
        const auto report = rov2::report::layoutPostcards(cards, shop(), k.options);
        for (int i = 0; i < int(cards.size()); ++i) {
            QImage image = rov2::report::renderPage(report, i, kPngDpi);
            drawFrame(image, k.options.paper);
            image.save(folder + QStringLiteral("/%1-%2.png").arg(QString::fromUtf8(k.name)).arg(i + 1));
        }
    }
    std::printf("cards drawn to %s\n", qPrintable(folder));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int runs = argc > 1 && args[1] != QLatin1String("--png") ? std::max(1, std::atoi(argv[1])) : 3;
    const qsizetype png = args.indexOf(QStringLiteral("--png"));
    rov2::installFontSubstitutions();
    const QString data = rov2::bench::sampleDataFile(kCustomers);
    const QString work = rov2::bench::freshWorkFile();
    rov2::env().locations = {QFileInfo(work).absolutePath() + QLatin1Char('/'), work, data, data, {}};
    if (!rov2::CustomerListStore::buildList(data, work, {}) ||
        !rov2::CustomerListStore::setAllMarks(work, true) ||
        !rov2::PrintDataStore::fillLabels(data, work, 0)) {
        std::fprintf(stderr, "cannot fill the label table\n");
        return 1;
    }
    const std::vector<PostcardAddressee> cards = addressees(data);
    if (png > 0 && png + 1 < args.size())
        writePngs(cards, args[png + 1]);
    std::printf("%d customers, best of %d runs\n", int(cards.size()), runs);

    rov2::report::rptTack2601 labels(rov2::env().locations.workFile);
    const double labelLayout = bestOf(runs, [&] { return labels.Restart(); });
    const QString labelPdf = QDir::tempPath() + QStringLiteral("/rov2-bench-postcard-labels.pdf");
    const double labelWrite = bestOf(runs, [&] {
        return rov2::report::savePdf(*labels.pages(), labelPdf) == rov2::report::PdfResult::Saved;
    });

    PostcardOptions options;
    options.printSender = true;
    rov2::report::LaidOutReport postcards;
    const double layout = bestOf(runs, [&] {
        postcards = rov2::report::layoutPostcards(cards, shop(), options);
        return !postcards.pages.empty();
    });
    const QString pdf = QDir::tempPath() + QStringLiteral("/rov2-bench-postcards.pdf");
    const double write =
        bestOf(runs, [&] { return rov2::report::savePdf(postcards, pdf) == rov2::report::PdfResult::Saved; });

    std::printf("postcards layout   %8.1f ms (%d cards)  | baseline label read+layout %8.1f ms (%d sheets)\n",
                layout, int(postcards.pages.size()), labelLayout, int(labels.pages()->pages.size()));
    std::printf("postcards PDF      %8.1f ms (%.1f MB)    | baseline label PDF         %8.1f ms (%.1f MB)\n",
                write, QFileInfo(pdf).size() / 1e6, labelWrite, QFileInfo(labelPdf).size() / 1e6);
    std::printf(
        "postcards total    %8.1f ms              | baseline labels total      %8.1f ms  ratio %.2f\n",
        layout + write, labelLayout + labelWrite, (layout + write) / (labelLayout + labelWrite));
    return 0;
}
