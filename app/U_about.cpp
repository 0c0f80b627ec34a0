#include "app/U_about.h"

#include "app/ProgramIcon.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFabout::TFabout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setWindowTitle(QStringLiteral("Об авторе"));
    setModal(true);

    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, QColor(255, 251, 240));
    panel->setPalette(pal);

    auto* picture = new QLabel(panel);
    picture->setPixmap(programPixmap(64));
    auto* product = new QLabel(QStringLiteral("Программа учёта инструмента для ТОРН"), panel);
    product->setWordWrap(true);
    product->setStyleSheet(QStringLiteral("color: navy; font-weight: bold;"));
    auto* version = new QLabel(QStringLiteral("<b>Версия:</b> <b><font color=\"red\">1.1</font></b>"), panel);
    auto* commentsTitle = new QLabel(QStringLiteral("Комментарии:"), panel);
    commentsTitle->setStyleSheet(QStringLiteral("color: navy; font-weight: bold;"));
    auto* comments = new QLabel(QStringLiteral("Учёт инструмента инструментального отдела: реестр, "
                                               "справочники, поиск, отчёт, экспорт и годовой архив."), panel);
    comments->setWordWrap(true);

    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addWidget(product, 1);
    auto* inner = new QVBoxLayout(panel);
    inner->addLayout(top);
    inner->addWidget(version);
    inner->addWidget(commentsTitle);
    inner->addWidget(comments);

    BitBtn1 = new QPushButton(QStringLiteral("✔ Закрыть"), this);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TFabout::BitBtn1Click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(panel);
    layout->addWidget(BitBtn1, 0, Qt::AlignHCenter);
    setFixedSize(360, 240);
}

void TFabout::BitBtn1Click()
{
    accept();
}
