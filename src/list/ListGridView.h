#pragma once

#include <QTableView>

namespace rov2 {

class CustomerListModel;

/// The grid of the customer list. Space ticks or clears the mark of the
/// current row, whatever column the cursor is in; a click anywhere in the
/// check cell does the same; Enter or a double-click opens the row.
class ListGridView : public QTableView
{
    Q_OBJECT

public:
    explicit ListGridView(QWidget* parent = nullptr);

    void setListModel(CustomerListModel* model);
    CustomerListModel* listModel() const { return model_; }

Q_SIGNALS:
    /// The user asked to open this row.
    void rowOpened(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void toggleCurrent();

    CustomerListModel* model_ = nullptr;
};

} // namespace rov2
