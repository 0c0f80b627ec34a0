#include "ui/DBNavigator.h"

#include "data/Dataset.h"
#include "data/U_dm.h"
#include "ui/Dialogs.h"
#include "ui/ErrorBox.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace ui {

using data::Dataset;

QStringList DBNavigator::standardHints()
{
    return {QStringLiteral("первая запись"),     QStringLiteral("предыдущая запись"),
            QStringLiteral("следующая запись"),  QStringLiteral("последняя запись"),
            QStringLiteral("вставить запись"),   QStringLiteral("удалить запись"),
            QStringLiteral("редактировать запись"), QStringLiteral("принять изменения "),
            QStringLiteral("отменить изменения "), QStringLiteral("откатить")};
}

DBNavigator::DBNavigator(QWidget* parent)
    : QWidget(parent)
{
    static const char* const glyphs[ButtonCount] = {"|◀", "◀", "▶", "▶|", "+", "−", "▲", "✔", "✘", "↻"};
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const QStringList hints = standardHints();
    for (int i = 0; i < ButtonCount; ++i) {
        auto* b = new QToolButton(this);
        b->setText(QString::fromUtf8(glyphs[i]));
        b->setToolTip(hints[i]);
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumWidth(28);
        layout->addWidget(b);
        buttons_[size_t(i)] = b;
        connect(b, &QToolButton::clicked, this, [this, i] { click(Button(i)); });
    }
    setCursor(Qt::PointingHandCursor);
    updateButtons();
}

void DBNavigator::setDataSource(data::DataSource* source)
{
    for (auto& c : links_)
        disconnect(c);
    links_.clear();
    source_ = source;
    if (Dataset* ds = source ? source->dataSet : nullptr) {
        links_.push_back(connect(ds, &Dataset::stateChanged, this, [this] { updateButtons(); }));
        links_.push_back(connect(ds, &Dataset::currentChanged, this, [this] { updateButtons(); }));
        links_.push_back(connect(ds, &Dataset::didReset, this, [this] { updateButtons(); }));
        links_.push_back(connect(ds, &Dataset::rowChanged, this, [this] { updateButtons(); }));
    }
    updateButtons();
}

void DBNavigator::setButtonVisible(Button b, bool visible)
{
    buttons_[size_t(b)]->setVisible(visible);
}

void DBNavigator::click(Button b)
{
    Dataset* ds = source_ ? source_->dataSet : nullptr;
    if (!ds)
        return;
    guarded([&] {
        switch (b) {
        case First: ds->first(); break;
        case Prior: ds->prior(); break;
        case Next: ds->next(); break;
        case Last: ds->last(); break;
        case Insert: ds->insert(); break;
        case Delete:
            if (!ds->isEmpty() && dialogs().confirm(QStringLiteral("Delete record?")))
                ds->remove();
            break;
        case Edit: ds->edit(); break;
        case Post: ds->post(); break;
        case Cancel: ds->cancel(); break;
        case Refresh: ds->refresh(); break;
        default: break;
        }
    });
}

void DBNavigator::updateButtons()
{
    Dataset* ds = source_ ? source_->dataSet : nullptr;
    const bool open = ds && ds->isOpen();
    const bool editing = open && ds->isEditing();
    const bool browse = open && !editing;
    const int row = open ? ds->currentRow() : -1;
    const int count = open ? ds->recordCount() : 0;
    buttons_[First]->setEnabled(browse && row > 0);
    buttons_[Prior]->setEnabled(browse && row > 0);
    buttons_[Next]->setEnabled(browse && row >= 0 && row < count - 1);
    buttons_[Last]->setEnabled(browse && row >= 0 && row < count - 1);
    buttons_[Insert]->setEnabled(open);
    buttons_[Delete]->setEnabled(open && count > 0);
    buttons_[Edit]->setEnabled(browse);
    buttons_[Post]->setEnabled(editing);
    buttons_[Cancel]->setEnabled(editing);
    buttons_[Refresh]->setEnabled(browse);
}

} // namespace ui
