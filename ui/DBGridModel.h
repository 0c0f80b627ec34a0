#pragma once

#include "ui/DBGrid.h"

#include <QAbstractTableModel>
#include <vector>

namespace data {
class Dataset;
}

namespace ui {

// The table model of a data grid: reads the dataset's snapshot (never SQL) and turns the
// dataset's signals into the model's. Row indicator in the vertical header: ▶ current,
// * inserting, I editing.
class DBGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int LookupKeyRole = Qt::UserRole + 1;

    explicit DBGridModel(QObject* parent = nullptr);

    void setDataset(data::Dataset* ds);
    data::Dataset* dataset() const { return ds_; }
    void setColumns(const std::vector<GridColumn>* columns);

    // Field of the dataset bound to a grid column, -1 when the dataset lacks it.
    int fieldOf(int column) const;
    // True between the begin and the end of a change of rows: the view moves its current
    // index then on its own, which must not move the dataset.
    bool isChanging() const { return changing_ > 0; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    void datasetCurrentChanged(int row);

private:
    void resolveFields();
    void indicatorChanged(int row);

    data::Dataset* ds_ = nullptr;
    const std::vector<GridColumn>* columns_ = nullptr;
    std::vector<int> fields_;
    int shownCurrent_ = -1;
    int changing_ = 0;
    std::vector<QMetaObject::Connection> links_;
};

} // namespace ui
