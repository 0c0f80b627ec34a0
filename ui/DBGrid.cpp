#include "ui/DBGrid.h"

#include "data/Dataset.h"
#include "data/U_dm.h"
#include "ui/DBGridModel.h"
#include "ui/Dialogs.h"
#include "ui/ErrorBox.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QToolButton>

namespace ui {

using data::Dataset;

// Editors of the grid's cells: a drop-down of the lookup source's results for lookup columns,
// a line edit limited to the field's width for the others. Every editor reports its keys to the
// grid first.
class DBGridDelegate : public QStyledItemDelegate {
public:
    explicit DBGridDelegate(DBGrid* grid)
        : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        Dataset* ds = grid_->dataSet();
        const int fi = grid_->model_->fieldOf(index.column());
        QWidget* editor = nullptr;
        if (ds && fi >= 0 && ds->field(fi).isLookup()) {
            auto* box = new QComboBox(parent);
            box->setEditable(false);
            for (const data::LookupItem& item : ds->lookupItems(fi))
                box->addItem(item.text, QVariant(item.key));
            editor = box;
        } else {
            auto* line = new QLineEdit(parent);
            if (ds && fi >= 0 && ds->field(fi).kind == data::FieldKind::Text && ds->field(fi).width > 0)
                line->setMaxLength(ds->field(fi).width);
            line->setAlignment(grid_->gridColumn(index.column()).alignment);
            editor = line;
            Q_UNUSED(option);
        }
        grid_->editor_ = editor;
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            const QVariant key = index.data(DBGridModel::LookupKeyRole);
            box->setCurrentIndex(key.isNull() ? -1 : box->findData(key));
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            if (box->currentIndex() < 0)
                return;
            const QVariant key = box->currentData();
            if (key != index.data(DBGridModel::LookupKeyRole))
                model->setData(index, key, DBGridModel::LookupKeyRole);
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }

private:
    DBGrid* grid_;
};

DBGrid::DBGrid(QWidget* parent)
    : QTableView(parent)
    , model_(new DBGridModel(this))
{
    setModel(model_);
    setItemDelegate(new DBGridDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked);
    setTabKeyNavigation(true);
    setWordWrap(false);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    // Fixed row heights: sizing rows to their contents would read every row.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setFixedWidth(18);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);

    auto* button = new QToolButton(viewport());
    button->setText(QStringLiteral("..."));
    button->setFocusPolicy(Qt::NoFocus);
    button->hide();
    connect(button, &QToolButton::clicked, this, [this] {
        if (onEditButtonClick)
            guarded([this] { onEditButtonClick(); });
    });
    ellipsis_ = button;

    connect(model_, &DBGridModel::datasetCurrentChanged, this, [this](int row) { followDataset(row); });
    // A reset closes every editor: forget it, so nothing is committed from a stale one.
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] {
        if (editor_) {
            // The rows are being replaced: the editor's text must not be committed on its way out.
            editor_->removeEventFilter(itemDelegate());
            if (editor_->hasFocus())
                setFocus();      // the focus stays in the grid, not on the next box of the window
        }
        editor_ = nullptr;
    });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        if (Dataset* ds = dataSet())
            followDataset(ds->currentRow());
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        const auto inside = [this](QWidget* w) { return w && (w == this || isAncestorOf(w)); };
        if (inside(old) && !inside(now))
            focusLeft();
    });
}

DBGrid::~DBGrid() = default;

void DBGrid::setDataSource(data::DataSource* source)
{
    source_ = source;
    disconnect(updateLink_);
    model_->setDataset(source ? source->dataSet : nullptr);
    if (Dataset* ds = dataSet())
        updateLink_ = connect(ds, &Dataset::updateData, this, [this] { commitEditor(); });
    applyWidths();
}

Dataset* DBGrid::dataSet() const
{
    return source_ ? source_->dataSet : nullptr;
}

void DBGrid::setColumns(const std::vector<GridColumn>& columns)
{
    columns_ = columns;
    model_->setColumns(&columns_);
    for (int i = 0; i < int(columns_.size()); ++i)
        setColumnHidden(i, !columns_[size_t(i)].visible);
    applyWidths();
}

void DBGrid::applyWidths()
{
    const int charWidth = fontMetrics().averageCharWidth();
    Dataset* ds = dataSet();
    for (int i = 0; i < int(columns_.size()); ++i) {
        int chars = columns_[size_t(i)].widthChars;
        if (chars <= 0 && ds && ds->isOpen()) {
            const int fi = ds->fieldIndex(columns_[size_t(i)].fieldName);
            chars = fi >= 0 && ds->field(fi).width > 0 ? std::min(ds->field(fi).width, 40) : 10;
        }
        setColumnWidth(i, std::max(chars, 2) * charWidth + 12);
    }
}

int DBGrid::positionOf(const QString& fieldName) const
{
    for (int i = 0; i < int(columns_.size()); ++i)
        if (columns_[size_t(i)].fieldName.compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void DBGrid::setColumnVisible(int position, bool visible)
{
    if (position < 0 || position >= int(columns_.size()))
        return;
    columns_[size_t(position)].visible = visible;
    setColumnHidden(position, !visible);
}

bool DBGrid::isColumnVisible(int position) const
{
    return position >= 0 && position < int(columns_.size()) && !isColumnHidden(position);
}

bool DBGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool opened = QTableView::edit(index, trigger, event);
    // Our filter goes on after the delegate's, so it sees the editor's keys first.
    if (opened && editor_) {
        editor_->removeEventFilter(this);
        editor_->installEventFilter(this);
    }
    return opened;
}

void DBGrid::commitEditor()
{
    if (editor_ && state() == QAbstractItemView::EditingState)
        commitData(editor_);
}

void DBGrid::followDataset(int row)
{
    syncing_ = true;
    if (row < 0 || row >= model_->rowCount()) {
        setCurrentIndex(QModelIndex());
    } else {
        int column = currentIndex().isValid() ? currentIndex().column() : -1;
        if (column < 0 || isColumnHidden(column)) {
            column = 0;
            while (column < model_->columnCount() - 1 && isColumnHidden(column))
                ++column;
        }
        const QModelIndex idx = model_->index(row, column);
        if (idx != currentIndex())
            selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect);
        scrollTo(idx);
    }
    syncing_ = false;
    placeEllipsis();
}

void DBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (!syncing_ && !model_->isChanging() && current.isValid()) {
        Dataset* ds = dataSet();
        if (ds && ds->isOpen() && current.row() != ds->currentRow()) {
            const int distance = current.row() - ds->currentRow();
            if (!guarded([&] { ds->moveBy(distance); }))
                followDataset(ds->currentRow());
        }
    }
    placeEllipsis();
}

void DBGrid::placeEllipsis()
{
    if (!ellipsis_)
        return;
    const QModelIndex idx = currentIndex();
    if (!idx.isValid() || !columns_[size_t(idx.column())].ellipsisButton || isColumnHidden(idx.column())) {
        ellipsis_->hide();
        return;
    }
    const QRect cell = visualRect(idx);
    const int w = std::min(cell.height() + 2, cell.width());
    ellipsis_->setGeometry(cell.right() - w + 1, cell.top(), w, cell.height());
    ellipsis_->show();
    ellipsis_->raise();
}

void DBGrid::updateGeometries()
{
    QTableView::updateGeometries();
    placeEllipsis();
}

void DBGrid::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    // Rows and columns follow a font read from the settings file.
    if (event->type() == QEvent::FontChange) {
        verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
        applyWidths();
    }
}

void DBGrid::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    placeEllipsis();
}

void DBGrid::runKeyDown(int key, Qt::KeyboardModifiers mods)
{
    if (onKeyDown)
        guarded([&] { onKeyDown(key, mods); });
}

void DBGrid::downKey()
{
    Dataset* ds = dataSet();
    if (!ds || !ds->isOpen())
        return;
    if (ds->state() == Dataset::State::Insert && !ds->modified()) {
        if (ds->insertRow() == ds->recordCount() - 1)
            return;          // already on a fresh blank row at the end
        ds->cancel();
        return;
    }
    ds->next();
    if (ds->eof() && editingAllowed_)
        ds->append();
}

void DBGrid::upKey()
{
    Dataset* ds = dataSet();
    if (!ds || !ds->isOpen())
        return;
    if (ds->state() == Dataset::State::Insert && !ds->modified() && ds->insertRow() == ds->recordCount() - 1) {
        ds->cancel();
        return;
    }
    ds->prior();
}

bool DBGrid::ownKey(int key, Qt::KeyboardModifiers mods)
{
    Dataset* ds = dataSet();
    if (!ds || !ds->isOpen())
        return false;
    switch (key) {
    case Qt::Key_Down:
        guarded([this] { downKey(); });
        return true;
    case Qt::Key_Up:
        guarded([this] { upKey(); });
        return true;
    case Qt::Key_Insert:
        if (editingAllowed_)
            guarded([ds] { ds->insert(); });
        return true;
    case Qt::Key_Delete:
        if (!(mods & Qt::ControlModifier))
            return false;
        if (editingAllowed_ && !ds->isEmpty() && dialogs().confirm(QStringLiteral("Delete record?")))
            guarded([ds] { ds->remove(); });
        return true;
    case Qt::Key_Escape:
        if (ds->isEditing()) {
            guarded([ds] { ds->cancel(); });
            return true;
        }
        return false;
    default:
        return false;
    }
}

void DBGrid::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    QPointer<DBGrid> self(this);
    runKeyDown(key, event->modifiers());
    if (!self)
        return;
    if (ownKey(key, event->modifiers())) {
        event->accept();
        return;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && currentIndex().isValid()) {
        // Enter opens the cell editor, as in the grids the clerks know.
        if (state() != QAbstractItemView::EditingState)
            edit(currentIndex());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool DBGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched == editor_) {
        auto* ke = static_cast<QKeyEvent*>(event);
        const int key = ke->key();
        QPointer<QWidget> editor(editor_);
        runKeyDown(key, ke->modifiers());
        if (!editor || editor_ != editor || state() != QAbstractItemView::EditingState)
            return true;     // the handler already re-read the rows; the editor is gone
        const bool isCombo = qobject_cast<QComboBox*>(editor.data()) != nullptr;
        switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            commitEditor();
            closeEditor(editor, QAbstractItemDelegate::NoHint);
            return true;
        case Qt::Key_Escape:
            closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
            if (Dataset* ds = dataSet(); ds && ds->isEditing())
                guarded([ds] { ds->cancel(); });
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (isCombo && (ke->modifiers() & Qt::AltModifier))
                return false;
            if (isCombo)
                return false;     // arrows choose in a drop-down
            commitEditor();
            if (editor)
                closeEditor(editor, QAbstractItemDelegate::NoHint);
            ownKey(key, ke->modifiers());
            return true;
        default:
            return false;
        }
    }
    return QTableView::eventFilter(watched, event);
}

void DBGrid::focusLeft()
{
    // An inserted row that was never changed is dropped when the focus leaves the grid.
    Dataset* ds = dataSet();
    if (ds && ds->isOpen() && ds->state() == Dataset::State::Insert && !ds->modified()
        && state() != QAbstractItemView::EditingState)
        guarded([ds] { ds->cancel(); });
}

} // namespace ui
