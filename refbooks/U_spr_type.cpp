#include "refbooks/U_spr_type.h"

#include "refbooks/Decor.h"
#include "refbooks/PicturePanel.h"
#include "ui/DBNavigator.h"
#include "ui/WindowPlace.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QStatusBar>
#include <QVBoxLayout>

TF_type* F_type = nullptr;

namespace decor = refbooks::decor;


TF_type::TF_type(TDM1& dm, QWidget* parent)
    : TF_type(Look{QStringLiteral("Справочник типов"),
                   decor::bookIcon(decor::lime.darker(160)),
                   decor::panelPicture(decor::blue),
                   &dm.DStype,
                   {
                       {QStringLiteral("type_kod"), QStringLiteral("№"), decor::yellow,
                        Qt::AlignRight | Qt::AlignVCenter, 4, true, false},
                       {QStringLiteral("type_name"), QStringLiteral("Название типа"), decor::lime,
                        Qt::AlignLeft | Qt::AlignVCenter, 40, true, false},
                   }},
              parent)
{
    setObjectName(QStringLiteral("F_type"));
}

TF_type::TF_type(const Look& look, QWidget* parent)
    : QMainWindow(parent)
{
    build(look);
}

TF_type::~TF_type()
{
    if (F_type == this)
        F_type = nullptr;
}

void TF_type::build(const Look& look)
{
    setWindowTitle(look.caption);
    setWindowIcon(look.icon);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    Panel2 = new QWidget(central);
    auto* gridLayout = new QVBoxLayout(Panel2);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    DBGrid1 = new ui::DBGrid(Panel2);
    DBGrid1->setFont(decor::gridFont());
    DBGrid1->horizontalHeader()->setFont(decor::gridFont(true));
    DBGrid1->setColumns(look.columns);
    DBGrid1->setDataSource(look.source);
    DBGrid1->onKeyDown = [this](int key, Qt::KeyboardModifiers) { DBGrid1KeyDown(key); };
    gridLayout->addWidget(DBGrid1);

    Panel1 = new refbooks::PicturePanel(decor::blue, central);
    Panel1->setPicture(look.picture);
    DBNavigator1 = new ui::DBNavigator(Panel1);
    DBNavigator1->setDataSource(look.source);
    DBNavigator1->setButtonVisible(ui::DBNavigator::Insert, false);
    auto* footer = new QHBoxLayout(Panel1);
    footer->setContentsMargins(6, 4, 6, 4);
    footer->addWidget(DBNavigator1);
    footer->addStretch(1);

    layout->addWidget(Panel2, 1);
    layout->addWidget(Panel1);
    setCentralWidget(central);
    StatusBar1 = new QStatusBar(this);
    setStatusBar(StatusBar1);

    resize(460, 420);
    ui::centreOnScreen(this);
    DBGrid1->setFocus();
}

void TF_type::showWindow()
{
    show();
    raise();
    activateWindow();
}

void TF_type::DBGrid1KeyDown(int key)
{
    if (key == Qt::Key_Escape)
        close();
}
