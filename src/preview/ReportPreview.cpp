#include "ReportPreview.h"

#include "Accessibility.h"
#include "Dialogs.h"
#include "FinishedPages.h"
#include "PageView.h"
#include "ReportPainter.h"
#include "ReportPrinting.h"

#include <QComboBox>
#include <QEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace rov2::report {
namespace {

QToolButton* button(QWidget* parent, QHBoxLayout* row, const QString& name, const QString& caption)
{
    auto* b = new QToolButton(parent);
    b->setText(caption);
    b->setFocusPolicy(Qt::TabFocus);
    nameControl(b, name, caption);
    row->addWidget(b);
    return b;
}

} // namespace

ReportPreview::ReportPreview(std::shared_ptr<const LaidOutReport> report, const QString& caption,
                             OwnFiles own, QWidget* parent)
    : ReportPreview(std::make_shared<FinishedPages>(std::move(report)), caption, std::move(own), parent)
{
}

ReportPreview::ReportPreview(std::shared_ptr<PageSource> pages, const QString& caption, OwnFiles own,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), pages_(std::move(pages)), caption_(caption), own_(std::move(own))
{
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* bar = new QWidget(this);
    buildToolBar(bar);
    layout->addWidget(bar);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("PreviewArea"));
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll_->setBackgroundRole(QPalette::Dark);
    view_ = new PageView(pages_, scroll_);
    view_->setObjectName(QStringLiteral("PageView"));
    scroll_->setWidget(view_);
    layout->addWidget(scroll_, 1);
    scroll_->viewport()->installEventFilter(this);
    bindKeys();
    resize(900, 1000);
    showPage(0);
    applyZoom();
    view_->setFocus();
    progress_ = new QTimer(this);
    connect(progress_, &QTimer::timeout, this, &ReportPreview::layOutMore);
    showProgress();
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::buildToolBar(QWidget* bar)
{
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(6, 4, 6, 4);
    connect(button(bar, row, QStringLiteral("cmd先頭"), QStringLiteral("先頭")), &QToolButton::clicked, this,
            [this] { showPage(0); });
    connect(button(bar, row, QStringLiteral("cmd前"), QStringLiteral("前")), &QToolButton::clicked, this,
            [this] { showPage(current_ - 1); });
    pageBox_ = new QSpinBox(bar);
    pageBox_->setRange(1, 1);
    nameControl(pageBox_, QStringLiteral("txtページ"), QStringLiteral("ページ"));
    row->addWidget(pageBox_);
    pageCountLabel_ = new QLabel(bar);
    pageCountLabel_->setObjectName(QStringLiteral("lblページ数"));
    pageCountLabel_->setAccessibleDescription(QStringLiteral("lblページ数"));
    row->addWidget(pageCountLabel_);
    connect(pageBox_, &QSpinBox::valueChanged, this, [this](int n) { showPage(n - 1); });
    connect(button(bar, row, QStringLiteral("cmd次"), QStringLiteral("次")), &QToolButton::clicked, this,
            [this] { showPage(current_ + 1); });
    connect(button(bar, row, QStringLiteral("cmd最後"), QStringLiteral("最後")), &QToolButton::clicked, this,
            [this] { showPage(pageCount() - 1); });
    zoomBox_ = new QComboBox(bar);
    zoomBox_->addItems({QStringLiteral("ページ全体"), QStringLiteral("ページ幅"), QStringLiteral("100%")});
    zoomBox_->setCurrentIndex(static_cast<int>(zoom_));
    nameControl(zoomBox_, QStringLiteral("cmbズーム"), QStringLiteral("ズーム"));
    row->addWidget(zoomBox_);
    connect(zoomBox_, &QComboBox::currentIndexChanged, this, [this](int i) { setZoom(static_cast<Zoom>(i)); });
    connect(button(bar, row, QStringLiteral("cmd印刷"), QStringLiteral("印刷")), &QToolButton::clicked, this,
            [this] { (void)printPages(); });
    connect(button(bar, row, QStringLiteral("cmdPDF保存"), QStringLiteral("PDF保存")), &QToolButton::clicked, this,
            [this] { savePdfAs(); });
    row->addStretch(1);
    connect(button(bar, row, QStringLiteral("cmd閉じる"), QStringLiteral("閉じる")), &QToolButton::clicked, this,
            &QWidget::close);
}

void ReportPreview::bindKeys()
{
    const auto bind = [this](const QKeySequence& key, auto action) {
        auto* s = new QShortcut(key, this);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, action);
    };
    bind(QKeySequence(Qt::Key_PageUp), [this] { showPage(current_ - 1); });
    bind(QKeySequence(Qt::Key_PageDown), [this] { showPage(current_ + 1); });
    bind(QKeySequence(Qt::Key_Home), [this] { showPage(0); });
    bind(QKeySequence(Qt::Key_End), [this] { showPage(pageCount() - 1); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_P), [this] { (void)printPages(); });
    bind(QKeySequence(Qt::Key_Escape), [this] { close(); });
}

int ReportPreview::pageCount()
{
    const int count = pages_->pageCount();
    showProgress();
    return count;
}

void ReportPreview::layOutMore()
{
    // Short slices keep the window answering keys while the rest is laid out.
    pages_->layOutFor(30);
    showProgress();
}

void ReportPreview::showProgress()
{
    const bool complete = pages_->complete();
    const int known = std::max(1, pages_->pagesFinished());
    pageBox_->setMaximum(known);
    pageCountLabel_->setText(complete ? QStringLiteral("/ %1").arg(known) : QStringLiteral("/ %1…").arg(known));
    if (!complete && !progress_->isActive())
        progress_->start(0);
    if (complete && progress_->isActive()) {
        progress_->stop();
        view_->update(); // the page count on the page
    }
}

void ReportPreview::showPage(int index)
{
    pages_->reach(index);
    current_ = qBound(0, index, std::max(1, pages_->pagesFinished()) - 1);
    view_->setPage(current_);
    if (progress_)
        showProgress();
    const QSignalBlocker block(pageBox_);
    pageBox_->setValue(current_ + 1);
    scroll_->verticalScrollBar()->setValue(0);
}

void ReportPreview::setZoom(Zoom zoom)
{
    zoom_ = zoom;
    const QSignalBlocker block(zoomBox_);
    zoomBox_->setCurrentIndex(static_cast<int>(zoom));
    applyZoom();
}

void ReportPreview::applyZoom()
{
    const QSize paper = pages_->settings().paperTwips();
    const QSize room = scroll_->viewport()->size() - QSize(16, 16);
    const double screenDpi = logicalDpiX();
    double dpi = screenDpi;
    if (zoom_ == Zoom::PageWidth)
        dpi = room.width() * double(kTwipsPerInch) / paper.width();
    else if (zoom_ == Zoom::WholePage)
        dpi = qMin(room.width() * double(kTwipsPerInch) / paper.width(),
                   room.height() * double(kTwipsPerInch) / paper.height());
    view_->setDotsPerInch(qMax(dpi, 10.0));
}

bool ReportPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == scroll_->viewport() && event->type() == QEvent::Resize && zoom_ != Zoom::Actual)
        applyZoom();
    return QWidget::eventFilter(watched, event);
}

PrintResult ReportPreview::printPages()
{
    const PrintResult printed = printReport(*pages_, caption_, true, this, own_, sinks_);
    if (printed == PrintResult::Failed)
        tellPrintFailed(caption_);
    return printed;
}

bool ReportPreview::savePdfAs()
{
    const QString title = QStringLiteral("PDF保存");
    const std::optional<QString> path =
        dialogs().saveFile(this, title, QDir::home().filePath(caption_ + QStringLiteral(".pdf")),
                           {QStringLiteral("PDF ファイル (*.pdf)")}, 0);
    if (!path || !mayWriteUserFiles(this, title, {*path}, own_, dialogs()))
        return false;
    if (savePdf(*pages_, *path, caption_, sinks_) == PdfResult::Saved)
        return true;
    MessageRequest r;
    r.title = title;
    r.text = QStringLiteral("PDF ファイルを保存できませんでした（ディスクの空きが足りないなど）。\n%1\n"
                            "既にあったファイルは元のままです。")
                 .arg(QDir::toNativeSeparators(*path));
    r.icon = MsgIcon::Exclamation;
    dialogs().message(this, r);
    return false;
}

} // namespace rov2::report
