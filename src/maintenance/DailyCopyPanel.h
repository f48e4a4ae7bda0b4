#pragma once

#include "DailyCopy.h"

#include <QGroupBox>
#include <QList>
#include <optional>

class QListWidget;
class QPushButton;

namespace rov2 {

/// The daily copies on the データ保守 tab: a list of their days and customer
/// counts, newest first, and 実行 to read the chosen one back.
class DailyCopyPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit DailyCopyPanel(QWidget* parent = nullptr);

    /// Lists the daily copies of @p dataFile, the newest chosen.
    void refresh(const QString& dataFile);
    /// The copy chosen in the list; nothing when the list is empty.
    std::optional<DailyCopy> chosen() const;

Q_SIGNALS:
    /// 実行 was pressed, or Enter or a double click on a copy.
    void restoreRequested();

private:
    QListWidget* lst自動保存 = nullptr;
    QPushButton* cmd自動保存読込 = nullptr;
    QList<DailyCopy> copies_;
};

} // namespace rov2
