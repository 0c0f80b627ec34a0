#pragma once

#include <QColor>
#include <QPointer>
#include <QString>
#include <QTableView>
#include <functional>
#include <vector>

namespace data {
class Dataset;
struct DataSource;
}

namespace ui {

class DBGridModel;

// One column of a data grid, bound to a field of the dataset by name.
struct GridColumn {
    QString fieldName;
    QString title;
    QColor titleColor;                               // invalid: the platform's colour
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    int widthChars = 0;                              // 0: from the field's width
    bool visible = true;
    bool ellipsisButton = false;                     // the "..." button in the current cell
};

// The data grid: a table view over a dataset's snapshot that follows its cursor both ways, with
// lookup columns edited by a drop-down, the ellipsis button, a key-down event that runs before
// the grid's own handling (also while a cell editor is open), Insert, Ctrl+Delete with its
// confirmation, commit on leaving an edited row, an untouched inserted row dropped when the
// focus leaves, and Down on the last row appending a blank row.
class DBGrid : public QTableView {
    Q_OBJECT
public:
    explicit DBGrid(QWidget* parent = nullptr);
    ~DBGrid() override;

    void setDataSource(data::DataSource* source);
    data::Dataset* dataSet() const;

    // Columns by position; position = model column.
    void setColumns(const std::vector<GridColumn>& columns);
    int columnCount() const { return int(columns_.size()); }
    const GridColumn& gridColumn(int position) const { return columns_[size_t(position)]; }
    int positionOf(const QString& fieldName) const;      // -1 when not bound
    void setColumnVisible(int position, bool visible);
    bool isColumnVisible(int position) const;

    // Runs before the grid handles a key (virtual-key style code; Qt key code here).
    std::function<void(int key, Qt::KeyboardModifiers)> onKeyDown;
    // The ellipsis button of the current cell was pressed.
    std::function<void()> onEditButtonClick;

    // The grid's own model, for tests and for the windows that need the index of a cell.
    DBGridModel* gridModel() const { return model_; }

    using QTableView::edit;

    // Commits the text of an open cell editor into the dataset (the grid's UpdateData).
    void commitEditor();

    // Whether the user may add, change and delete rows here (true by default).
    void setEditingAllowed(bool allowed) { editingAllowed_ = allowed; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void updateGeometries() override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    friend class DBGridDelegate;
    void followDataset(int row);
    void placeEllipsis();
    // The grid's own handling of a key; true when it took the key.
    bool ownKey(int key, Qt::KeyboardModifiers mods);
    void runKeyDown(int key, Qt::KeyboardModifiers mods);
    void downKey();
    void upKey();
    void focusLeft();
    void applyWidths();

    std::vector<GridColumn> columns_;
    DBGridModel* model_ = nullptr;
    data::DataSource* source_ = nullptr;
    QWidget* ellipsis_ = nullptr;
    QPointer<QWidget> editor_;
    bool syncing_ = false;
    bool editingAllowed_ = true;
    QMetaObject::Connection updateLink_;
};

} // namespace ui
