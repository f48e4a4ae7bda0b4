#include "TypedSearchWindow.h"

#include "Accessibility.h"
#include "MatchList.h"
#include "TextBox.h"

#include <algorithm>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

namespace rov2 {

QString countWithUnit(int n)
{
    return QLocale(QLocale::Japanese, QLocale::Japan).toString(n) + QStringLiteral("件");
}

TypedSearchWindow::TypedSearchWindow(const Names& names, QWidget* parent)
    : QDialog(parent), input_(new TextBox(this)), list_(new MatchList(this)), count_(new QLabel(this)),
      model_(new MatchTableModel(names.headers, this))
{
    setWindowTitle(QString::fromUtf8(names.title));
    setModal(true);
    resize(720, 480);
    // The window handles Enter and Down itself; the box must not move the focus on.
    input_->setMoveKeys({}, {});
    input_->installEventFilter(this);
    nameControl(input_, QString::fromUtf8(names.input), QStringLiteral("検索"));
    nameControl(list_, QString::fromUtf8(names.list), QStringLiteral("検索結果"));
    // The count is read out as it changes: no fixed accessible name.
    count_->setObjectName(QStringLiteral("lbl件数"));
    count_->setAccessibleDescription(QStringLiteral("lbl件数"));
    list_->setModel(model_);

    auto* legend = new QLabel(QString::fromUtf8(names.legend), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(input_);
    layout->addWidget(count_);
    layout->addWidget(list_, 1);
    layout->addWidget(legend);

    connect(input_, &QLineEdit::textChanged, this, &TypedSearchWindow::Search);
    connect(list_, &MatchList::rowChosen, this, &TypedSearchWindow::choose);
    connect(list_, &MatchList::upFromFirstRow, this, [this] { input_->setFocus(Qt::OtherFocusReason); });
    input_->setFocus(Qt::OtherFocusReason);
}

void TypedSearchWindow::Search()
{
    const QString text = input_->text();
    QString failure;
    const std::optional<Found> found = find(text, &failure);
    if (!found) {
        model_->setRows({});
        count_->setText(failure);
        return;
    }
    model_->setRows(found->rows);
    count_->setText(countText(text, static_cast<int>(found->rows.size()), found->more));
    list_->setCurrentRow(0);
}

void TypedSearchWindow::choose(int row)
{
    if (row < 0 || row >= model_->rowCount())
        return;
    keep(model_->rowAt(row));
    accept();
}

bool TypedSearchWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != input_ || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool alone = key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier;
    if (!alone)
        return false;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        choose(list_->currentRow());
        return true;
    case Qt::Key_Down:
        if (model_->rowCount() == 0)
            return true;
        list_->setFocus(Qt::OtherFocusReason);
        // The first Down goes to the current row; the list takes the next ones.
        list_->setCurrentRow(std::max(0, list_->currentRow()));
        return true;
    default: return false;
    }
}

} // namespace rov2
