#pragma once

#include "OwnFiles.h"
#include "PageSource.h"
#include "ReportLayout.h"
#include "ReportPrinting.h"
#include "WholeFile.h"

#include <QWidget>
#include <memory>

class QComboBox;
class QLabel;
class QScrollArea;
class QSpinBox;
class QTimer;

namespace rov2::report {

class PageView;

/// The preview window of a laid-out report: page by page, with the page
/// number, three zooms, printing and saving as PDF. Modeless; any number may
/// be open at once. Only the page on screen is painted, when it is shown.
/// Pages still being laid out are laid out a bit at a time while the window
/// waits for the user; the page count shows once it is known.
///
/// Keys: PgUp/PgDn previous and next page, Home/End first and last,
/// Ctrl+P print, Esc close.
class ReportPreview : public QWidget {
    Q_OBJECT
public:
    enum class Zoom { WholePage, PageWidth, Actual };

    /// @param own the program's files, which saving and printing to a file refuse.
    ReportPreview(std::shared_ptr<const LaidOutReport> report, const QString& caption, OwnFiles own,
                  QWidget* parent = nullptr);
    ReportPreview(std::shared_ptr<PageSource> pages, const QString& caption, OwnFiles own,
                  QWidget* parent = nullptr);
    ~ReportPreview() override;

    /// The number of pages, laying out the rest first.
    int pageCount();
    /// 0-based index of the page shown.
    int currentPage() const { return current_; }
    /// Shows page @p index (0-based), kept within the pages.
    void showPage(int index);
    void setZoom(Zoom zoom);
    Zoom zoom() const { return zoom_; }

    /// The print dialog, then the pages chosen there; a failure is told.
    PrintResult printPages();
    /// Asks for a file name and writes the PDF there, whole or not at all:
    /// the program's own files are refused and an existing file is replaced
    /// only after a Yes (mayWriteUserFiles); a failure is told.
    /// @return true when a file was written
    bool savePdfAs();
    /// Where the bytes of saved and printed PDF files go (tests plug failing
    /// ones); empty, as at first: QSaveFile.
    void setFileSinks(FileSinkFactory sinks) { sinks_ = std::move(sinks); }

protected:
    /// Refits the page whenever the room for it changes size.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildToolBar(QWidget* bar);
    void bindKeys();
    void applyZoom();
    void layOutMore();
    void showProgress();

    std::shared_ptr<PageSource> pages_;
    QString caption_;
    OwnFiles own_;
    FileSinkFactory sinks_;
    int current_ = 0;
    Zoom zoom_ = Zoom::PageWidth;
    QScrollArea* scroll_ = nullptr;
    PageView* view_ = nullptr;
    QSpinBox* pageBox_ = nullptr;
    QLabel* pageCountLabel_ = nullptr;
    QComboBox* zoomBox_ = nullptr;
    QTimer* progress_ = nullptr;
};

} // namespace rov2::report
