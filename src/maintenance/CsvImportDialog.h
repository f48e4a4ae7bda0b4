#pragma once

#include "CustomerCsvImport.h"

#include <QDialog>
#include <QVector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace rov2 {

/// Before a CSV import: shows the file's encoding and its first rows, one
/// field list above each column (matched from the headings, changeable, or
/// "（読み込まない）" to leave the column out), whether the first row is
/// headings, and what to do with a customer whose 名称 already exists.
/// Below, the first rows as they would be stored, with the columns of one
/// field joined (姓 + 名 → 名称) and the reason of a row that would be refused.
/// A family file (isFamilyHeading) is shown with its headings' fields, not
/// to be changed, and the choice is for a member whose 氏名 already exists.
class CsvImportDialog : public QDialog
{
    Q_OBJECT
public:
    /// Rows shown from the top of the file.
    static constexpr int kPreviewRows = 10;

    CsvImportDialog(const QString& path, const CsvTable& table, QWidget* parent = nullptr);

    /// The choices as they stand.
    CsvImportOptions options() const;

private:
    void fillPreview();
    void applyMapping(const std::vector<QString>& mapping);
    void headingToggled(bool heading);
    void fillResult();

    const CsvTable& table_;
    const bool family_;
    QLabel* lblEncoding = nullptr;
    QCheckBox* chk見出し = nullptr;
    QTableWidget* tblPreview = nullptr;
    QVector<QComboBox*> fieldLists_;
    QTableWidget* tblResult = nullptr;
    QRadioButton* opt読み飛ばす = nullptr;
    QRadioButton* opt上書き = nullptr;
    QPushButton* cmd読込 = nullptr;
    QPushButton* cmdキャンセル = nullptr;
};

} // namespace rov2
