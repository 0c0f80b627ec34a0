#include "ui/DBGridModel.h"

#include "data/Dataset.h"
#include "ui/ErrorBox.h"

#include <QBrush>
#include <QFont>

namespace ui {

using data::Dataset;

DBGridModel::DBGridModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void DBGridModel::setDataset(Dataset* ds)
{
    beginResetModel();
    for (auto& c : links_)
        disconnect(c);
    links_.clear();
    ds_ = ds;
    resolveFields();
    if (ds_) {
        links_.push_back(connect(ds_, &Dataset::aboutToReset, this, [this] {
            ++changing_;
            beginResetModel();
        }));
        links_.push_back(connect(ds_, &Dataset::didReset, this, [this] {
            resolveFields();
            shownCurrent_ = ds_->currentRow();
            endResetModel();
            --changing_;
        }));
        links_.push_back(connect(ds_, &Dataset::aboutToInsertRow, this, [this](int r) {
            ++changing_;
            beginInsertRows({}, r, r);
        }));
        links_.push_back(connect(ds_, &Dataset::rowInserted, this, [this](int) {
            endInsertRows();
            --changing_;
        }));
        links_.push_back(connect(ds_, &Dataset::aboutToRemoveRow, this, [this](int r) {
            ++changing_;
            beginRemoveRows({}, r, r);
        }));
        links_.push_back(connect(ds_, &Dataset::rowRemoved, this, [this](int) {
            endRemoveRows();
            --changing_;
        }));
        links_.push_back(connect(ds_, &Dataset::rowChanged, this, [this](int r) {
            if (r >= 0 && r < rowCount() && columnCount() > 0)
                emit dataChanged(index(r, 0), index(r, columnCount() - 1));
            indicatorChanged(r);
        }));
        links_.push_back(connect(ds_, &Dataset::stateChanged, this, [this] { indicatorChanged(ds_->currentRow()); }));
        links_.push_back(connect(ds_, &Dataset::currentChanged, this, [this](int r) {
            const int old = shownCurrent_;
            shownCurrent_ = r;
            indicatorChanged(old);
            indicatorChanged(r);
            emit datasetCurrentChanged(r);
        }));
    }
    shownCurrent_ = ds_ ? ds_->currentRow() : -1;
    endResetModel();
}

void DBGridModel::setColumns(const std::vector<GridColumn>* columns)
{
    beginResetModel();
    columns_ = columns;
    resolveFields();
    endResetModel();
}

void DBGridModel::resolveFields()
{
    fields_.clear();
    if (!columns_)
        return;
    for (const GridColumn& c : *columns_)
        fields_.push_back(ds_ && ds_->isOpen() ? ds_->fieldIndex(c.fieldName) : -1);
}

int DBGridModel::fieldOf(int column) const
{
    return column >= 0 && column < int(fields_.size()) ? fields_[size_t(column)] : -1;
}

void DBGridModel::indicatorChanged(int row)
{
    if (row >= 0 && row < rowCount())
        emit headerDataChanged(Qt::Vertical, row, row);
}

int DBGridModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !ds_ || !ds_->isOpen())
        return 0;
    return ds_->recordCount();
}

int DBGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() || !columns_ ? 0 : int(columns_->size());
}

QVariant DBGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        const int f = fieldOf(index.column());
        if (f < 0)
            return {};
        return ds_->text(index.row(), f);
    }
    case LookupKeyRole: {
        const int f = fieldOf(index.column());
        if (f < 0 || !ds_->field(f).isLookup())
            return {};
        const int k = ds_->fieldIndex(ds_->field(f).keyField);
        return k < 0 || ds_->isNullAt(index.row(), k) ? QVariant() : QVariant(ds_->intValue(index.row(), k));
    }
    case Qt::TextAlignmentRole:
        return QVariant::fromValue((*columns_)[size_t(index.column())].alignment);
    default:
        return {};
    }
}

QVariant DBGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (role != Qt::DisplayRole || !ds_ || section != ds_->currentRow())
            return {};
        switch (ds_->state()) {
        case Dataset::State::Insert: return QStringLiteral("*");
        case Dataset::State::Edit: return QStringLiteral("I");
        default: return QStringLiteral("▶");
        }
    }
    if (!columns_ || section < 0 || section >= int(columns_->size()))
        return {};
    const GridColumn& c = (*columns_)[size_t(section)];
    switch (role) {
    case Qt::DisplayRole: return c.title;
    case Qt::BackgroundRole: return c.titleColor.isValid() ? QVariant(QBrush(c.titleColor)) : QVariant();
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    default: return {};
    }
}

Qt::ItemFlags DBGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int fi = fieldOf(index.column());
    if (fi >= 0 && !ds_->field(fi).readOnly)
        f |= Qt::ItemIsEditable;
    return f;
}

bool DBGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || (role != Qt::EditRole && role != LookupKeyRole))
        return false;
    const int fi = fieldOf(index.column());
    if (fi < 0)
        return false;
    return guarded([&] {
        if (index.row() != ds_->currentRow())
            ds_->moveTo(index.row());
        const data::Field& f = ds_->field(fi);
        const QString text = value.isNull() ? QString() : value.toString();
        if (role == LookupKeyRole) {
            ds_->edit();
            ds_->setTextAt(ds_->fieldIndex(f.keyField), text);
            return;
        }
        // An unchanged cell does not put the row into edit.
        if (!ds_->isEditing() && ds_->text(index.row(), fi) == text)
            return;
        ds_->edit();
        ds_->setTextAt(fi, text);
    });
}

} // namespace ui
