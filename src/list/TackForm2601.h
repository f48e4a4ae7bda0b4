#pragma once

#include "LabelSettings.h"

#include <QWidget>
#include <array>

class QDoubleSpinBox;
class QLabel;
class QPushButton;

namespace rov2 {

/// "タックシール印字位置指定": the label sheet drawn as twelve cells, two per
/// row; a click (or Space on a cell) chooses the label at which the next
/// label print starts. Below the sheet, the print position adjustment: how
/// far the printout is moved right and down, in millimetres, stored in the
/// program's settings as soon as it changes.
///
/// Controls by name: Label1 (instruction), Label2 (sheet), tacks(0) to
/// tacks(11), txt横位置, txt縦位置, cmd閉じる.
class TackForm2601 : public QWidget
{
    Q_OBJECT
public:
    explicit TackForm2601(QWidget* parent = nullptr);

    /// What opening shows: cell 0 chosen, the stored offsets; the stored start
    /// position is left as it is.
    void Form_Load();
    /// Paints cell @p index chosen and the others white, and makes it the start position.
    void tacks_Click(int index);
    /// True when cell @p index is painted as chosen.
    bool isChosen(int index) const;

    /// The chosen cell's colour (&H0072AF7B) and the others'.
    static QColor chosenColour();
    static QColor plainColour();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void paintCells(int chosen);
    /// Stores the adjustment; a failure is told once until a store succeeds.
    void storeOffset();

    std::array<QPushButton*, 12> tacks{};
    bool offsetFailureTold_ = false;
    QDoubleSpinBox* txt横位置 = nullptr;
    QDoubleSpinBox* txt縦位置 = nullptr;
    QPushButton* cmd閉じる = nullptr;
};

/// The name under which the screen is found.
inline const QString kTackFormName = QStringLiteral("TackForm2601");

} // namespace rov2
