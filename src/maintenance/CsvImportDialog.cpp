#include "CsvImportDialog.h"

#include "Accessibility.h"
#include "CsvFieldNames.h"
#include "CustomerRowReader.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace rov2 {
namespace {

const QString kLeftOut = QStringLiteral("（読み込まない）");

/// The fields a mapping fills, in the table's order.
QStringList fieldsOf(const std::vector<QString>& mapping)
{
    QStringList out;
    for (const QString& f : mappableFields())
        if (std::find(mapping.begin(), mapping.end(), f) != mapping.end())
            out << f;
    return out;
}

} // namespace

CsvImportDialog::CsvImportDialog(const QString& path, const CsvTable& table, QWidget* parent)
    : QDialog(parent), table_(table), family_(!table.rows.empty() && isFamilyHeading(table.rows.front()))
{
    setObjectName(QStringLiteral("CsvImportDialog"));
    setWindowTitle(QStringLiteral("CSVファイルから読み込む"));
    auto* file = new QLabel(QFileInfo(path).fileName(), this);
    lblEncoding = new QLabel(QStringLiteral("文字コード：") + encodingName(table.encoding), this);
    lblEncoding->setObjectName(QStringLiteral("lblEncoding"));
    lblEncoding->setAccessibleDescription(lblEncoding->objectName());
    chk見出し = new QCheckBox(QStringLiteral("1行目は見出し"), this);
    tblPreview = new QTableWidget(this);
    tblPreview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblResult = new QTableWidget(this);
    tblResult->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblResult->setVisible(!family_);
    auto* existing = new QGroupBox(family_ ? QStringLiteral("同じ氏名の家族がいるとき")
                                           : QStringLiteral("同じ名称の顧客があるとき"),
                                   this);
    opt読み飛ばす = new QRadioButton(QStringLiteral("読み飛ばす"), existing);
    opt上書き = new QRadioButton(QStringLiteral("上書きする（ファイルにある項目だけ）"), existing);
    opt読み飛ばす->setChecked(true);
    auto* ex = new QVBoxLayout(existing);
    ex->addWidget(opt読み飛ばす);
    ex->addWidget(opt上書き);
    auto* buttons = new QDialogButtonBox(this);
    cmd読込 = buttons->addButton(QStringLiteral("読込開始"), QDialogButtonBox::AcceptRole);
    cmdキャンセル = buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* v = new QVBoxLayout(this);
    v->addWidget(file);
    v->addWidget(lblEncoding);
    v->addWidget(chk見出し);
    v->addWidget(new QLabel(
        family_ ? QStringLiteral("家族のファイルです。各行を「名称」の顧客の家族として読み込みます。")
                : QStringLiteral("各列に読み込む項目を選んでください。"),
        this));
    v->addWidget(tblPreview, 1);
    v->addWidget(tblResult, 1);
    v->addWidget(existing);
    v->addWidget(buttons);

    nameControl(chk見出し, QStringLiteral("chk見出し"), chk見出し->text());
    nameControl(tblPreview, QStringLiteral("tblPreview"), QStringLiteral("ファイルの先頭"));
    nameControl(tblResult, QStringLiteral("tblResult"), QStringLiteral("読み込まれる内容"));
    nameControl(opt読み飛ばす, QStringLiteral("opt読み飛ばす"), QStringLiteral("同じ名称の顧客は読み飛ばす"));
    nameControl(opt上書き, QStringLiteral("opt上書き"), QStringLiteral("同じ名称の顧客は上書きする"));
    nameControl(cmd読込, QStringLiteral("cmd読込"), cmd読込->text());
    nameControl(cmdキャンセル, QStringLiteral("cmdキャンセル"), cmdキャンセル->text());

    fillPreview();
    // Tab goes through the field lists in column order; the table itself
    // only scrolls the preview and must not swallow Tab.
    tblPreview->setTabKeyNavigation(false);
    QWidget* previous = chk見出し;
    for (QWidget* next :
         QList<QWidget*>(fieldLists_.begin(), fieldLists_.end()) +
             QList<QWidget*>{tblPreview, tblResult, opt読み飛ばす, opt上書き, cmd読込, cmdキャンセル}) {
        setTabOrder(previous, next);
        previous = next;
    }
    const bool heading = family_ || (!table.rows.empty() && looksLikeHeading(table.rows.front()));
    chk見出し->setChecked(heading);
    headingToggled(heading);
    // A family file's columns are its headings' own fields.
    chk見出し->setEnabled(!family_);
    for (QComboBox* list : fieldLists_)
        list->setEnabled(!family_);
    connect(chk見出し, &QCheckBox::toggled, this, &CsvImportDialog::headingToggled);
    for (QComboBox* list : fieldLists_)
        connect(list, &QComboBox::currentIndexChanged, this, &CsvImportDialog::fillResult);
    resize(760, 420);
}

void CsvImportDialog::fillPreview()
{
    const int columns = static_cast<int>(widestRow(table_));
    const int rows = static_cast<int>(std::min<std::size_t>(table_.rows.size(), kPreviewRows));
    tblPreview->setColumnCount(columns);
    // Row 0 holds the field lists; the file's rows follow.
    tblPreview->setRowCount(rows + 1);
    QStringList choices{kLeftOut};
    choices << (family_ ? familyCsvColumns() : mappableFields());
    // One list of fields behind every column's drop-down: a wide file would
    // otherwise build and keep the same items once per column.
    auto* fields = new QStringListModel(choices, this);
    for (int c = 0; c < columns; ++c) {
        auto* list = new QComboBox(tblPreview);
        list->setModel(fields);
        nameControl(list, QStringLiteral("cmb列%1").arg(c + 1),
                    QStringLiteral("%1列目に読み込む項目").arg(c + 1));
        tblPreview->setCellWidget(0, c, list);
        fieldLists_ << list;
        for (int r = 0; r < rows; ++r)
            tblPreview->setItem(r + 1, c,
                                new QTableWidgetItem(table_.rows[static_cast<std::size_t>(r)].value(c)));
    }
    tblPreview->setVerticalHeaderItem(0, new QTableWidgetItem(QStringLiteral("項目")));
    for (int r = 0; r < rows; ++r)
        tblPreview->setVerticalHeaderItem(r + 1, new QTableWidgetItem(QString::number(r + 1)));
    // Sized once: a header that fits its columns to their contents measures
    // every column again at each resize, which a wide file makes slow.
    tblPreview->resizeColumnsToContents();
}

void CsvImportDialog::applyMapping(const std::vector<QString>& mapping)
{
    for (qsizetype c = 0; c < fieldLists_.size(); ++c) {
        const QString field =
            c < static_cast<qsizetype>(mapping.size()) ? mapping[static_cast<std::size_t>(c)] : QString();
        const QSignalBlocker once(fieldLists_[c]); // the result is filled once for all lists
        fieldLists_[c]->setCurrentText(field.isEmpty() ? kLeftOut : field);
    }
}

void CsvImportDialog::headingToggled(bool heading)
{
    QStringList first = table_.rows.empty() ? QStringList() : table_.rows.front();
    while (first.size() < fieldLists_.size())
        first << QString();
    applyMapping(family_ ? familyMapping(first) : guessMapping(first, heading));
    fillResult();
}

void CsvImportDialog::fillResult()
{
    if (family_)
        return;
    const CsvImportOptions o = options();
    const bool heading = o.firstRowIsHeading && !table_.rows.empty();
    const CustomerRowReader reader(o, heading ? table_.rows.front() : QStringList());
    const std::size_t first = heading ? 1 : 0;
    const std::size_t last = std::min(table_.rows.size(), first + kPreviewRows);
    QStringList columns = fieldsOf(o.mapping);
    columns << QStringLiteral("読み込めない理由");
    tblResult->clear();
    tblResult->setColumnCount(static_cast<int>(columns.size()));
    tblResult->setHorizontalHeaderLabels(columns);
    tblResult->setRowCount(static_cast<int>(last - std::min(first, last)));
    for (std::size_t r = first; r < last; ++r) {
        QString reason;
        const auto fields = reader.read(table_.rows[r], &reason);
        for (int c = 0; c < columns.size(); ++c) {
            const QString text = c + 1 < columns.size()
                                     ? (fields ? fields->value(columns.at(c)).toString() : QString())
                                     : reason;
            tblResult->setItem(static_cast<int>(r - first), c, new QTableWidgetItem(text));
        }
    }
    tblResult->resizeColumnsToContents();
}

CsvImportOptions CsvImportDialog::options() const
{
    CsvImportOptions o;
    // A field chosen for several columns is read from all of them, joined.
    for (QComboBox* list : fieldLists_)
        o.mapping.push_back(list->currentIndex() <= 0 ? QString() : list->currentText());
    o.firstRowIsHeading = chk見出し->isChecked();
    o.existing = opt上書き->isChecked() ? ExistingCustomer::Overwrite : ExistingCustomer::Skip;
    return o;
}

} // namespace rov2
