#include "refbooks/U_spr_naim.h"

#include "data/QueryBuilders.h"
#include "refbooks/ActivationWatch.h"
#include "refbooks/BoxFill.h"
#include "refbooks/Decor.h"
#include "refbooks/PicturePanel.h"
#include "ui/CompletingComboBox.h"
#include "ui/DBGrid.h"
#include "ui/DBNavigator.h"
#include "ui/Dialogs.h"
#include "ui/ErrorBox.h"
#include "ui/WindowPlace.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>

TF_naim* F_naim = nullptr;

using data::Dataset;
using ui::GridColumn;
namespace decor = refbooks::decor;

// Two blanks before "order": the text the window has always used for its whole list.
const QString TF_naim::FullListStatement = QStringLiteral("select * from naim  order by naim_name");

namespace {

const QString kNaimKod = QStringLiteral("naim_kod");
const QString kNaimName = QStringLiteral("naim_name");
const QString kTypeKod = QStringLiteral("type_kod");

QString dashes(int n)
{
    return QString(n, QLatin1Char('-'));
}

QLabel* headerLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("color: yellow; font-weight: bold;"));
    return label;
}

} // namespace

TF_naim::TF_naim(TDM1& dm, QWidget* parent)
    : QMainWindow(parent), dm_(dm)
{
    setObjectName(QStringLiteral("F_naim"));
    setWindowTitle(QStringLiteral("Справочник наименований"));
    setWindowIcon(decor::bookIcon(decor::mint.darker(150)));
    buildHeader();
    buildGrid();
    buildFooter();
    buildMenu();

    StatusBar1 = ui::stackDataWindow(this, Panel3, DBGrid1, Panel1);

    resize(640, 520);
    ui::centreOnScreen(this);
    DBGrid1->setFocus();

    dm_.setNamesWindow(this);
    new refbooks::ActivationWatch(this, [this] { ui::guarded([this] { FormActivate(); }); });
}

TF_naim::~TF_naim()
{
    dm_.setNamesWindow(nullptr);
    if (F_naim == this)
        F_naim = nullptr;
}

void TF_naim::buildHeader()
{
    Panel3 = new QFrame(this);
    Panel3->setFrameShape(QFrame::Panel);
    Panel3->setFrameShadow(QFrame::Raised);
    Panel3->setAutoFillBackground(true);
    QPalette pal = Panel3->palette();
    pal.setColor(QPalette::Window, decor::teal);
    Panel3->setPalette(pal);

    SpeedButton1 = new QToolButton(Panel3);
    SpeedButton1->setIcon(decor::refreshIcon());
    SpeedButton1->setIconSize(QSize(24, 24));
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setToolTip(QStringLiteral("Обновить"));
    SpeedButton1->setFocusPolicy(Qt::NoFocus);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { ui::guarded([this] { SpeedButton1Click(); }); });

    Label1 = headerLabel(QStringLiteral("Название инструмента"), Panel3);
    Label4 = headerLabel(QStringLiteral("Группа инструмента"), Panel3);

    CBnaim = new ui::CompletingComboBox(Panel3);
    CBnaim->setSorted(true);
    CBnaim->setText(dashes(17) + QStringLiteral("Выберите изделие") + dashes(16));
    CBnaim->setMinimumWidth(300);
    CBtype = new ui::CompletingComboBox(Panel3);
    CBtype->setSorted(true);
    CBtype->setText(dashes(6) + QStringLiteral("Выберите группу инструмента") + dashes(5));
    CBtype->setMinimumWidth(260);
    // Sees each key before the box applies it.
    CBnaim->lineEdit()->installEventFilter(this);

    auto* grid = new QGridLayout(Panel3);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(2);
    grid->addWidget(SpeedButton1, 0, 0, 2, 1, Qt::AlignVCenter);
    grid->addWidget(Label1, 0, 1);
    grid->addWidget(CBnaim, 1, 1);
    grid->addWidget(Label4, 0, 2);
    grid->addWidget(CBtype, 1, 2);
    grid->setColumnStretch(3, 1);

    connect(CBnaim, &ui::CompletingComboBox::userChanged, this, [this] { ui::guarded([this] { CBnaimChange(); }); });
    connect(CBtype, &ui::CompletingComboBox::userChanged, this, [this] { ui::guarded([this] { CBtypeChange(); }); });
}

void TF_naim::buildGrid()
{
    DBGrid1 = new ui::DBGrid(this);
    DBGrid1->setFont(decor::gridFont());
    DBGrid1->horizontalHeader()->setFont(decor::gridFont(true));
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    DBGrid1->setColumns({
        {kNaimKod, kNaimKod, {}, right, 6, false, false},
        {kNaimName, QStringLiteral("Название наименования"), decor::mint, left, 48, true, false},
        {QStringLiteral("type_name"), QStringLiteral("Название типа"), decor::skyBlue, left, 24, true, false},
        // No title of its own: the field's name shows.
        {kTypeKod, kTypeKod, {}, right, 8, true, false},
    });
    DBGrid1->setDataSource(&dm_.DS2);
    DBGrid1->onKeyDown = [this](int key, Qt::KeyboardModifiers) { DBGrid1KeyDown(key); };
}

void TF_naim::buildFooter()
{
    Panel1 = new refbooks::PicturePanel(decor::mint, this);
    Panel1->setPicture(decor::panelPicture(decor::mint));
    DBNavigator1 = new ui::DBNavigator(Panel1);
    DBNavigator1->setDataSource(&dm_.DS2);
    DBNavigator1->setButtonVisible(ui::DBNavigator::Insert, false);

    BtnSelect = new QPushButton(decor::tickIcon(), QStringLiteral("В&ыбрать"), Panel1);
    QFont bold = BtnSelect->font();
    bold.setBold(true);
    BtnSelect->setFont(bold);
    BtnSelect->setDefault(true);
    BtnSelect->hide();
    connect(BtnSelect, &QPushButton::clicked, this, [this] { ui::guarded([this] { BtnSelectClick(); }); });

    auto* layout = new QHBoxLayout(Panel1);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(DBNavigator1);
    layout->addStretch(1);
    layout->addWidget(BtnSelect);
}

void TF_naim::buildMenu()
{
    QMenuBar* bar = menuBar();
    auto item = [this](QMenu* menu, const QString& caption, void (TF_naim::*handler)()) {
        QAction* a = menu->addAction(caption);
        connect(a, &QAction::triggered, this, [this, handler] { ui::guarded([this, handler] { (this->*handler)(); }); });
        return a;
    };
    QMenu* N1 = bar->addMenu(QStringLiteral("Файл"));
    N2 = item(N1, QStringLiteral("Закрыть"), &TF_naim::N2Click);
    QMenu* N3 = bar->addMenu(QStringLiteral("Сортировка"));
    N4 = item(N3, QStringLiteral("по наименованию"), &TF_naim::N4Click);
    N5 = item(N3, QStringLiteral("по типу"), &TF_naim::N5Click);
}

void TF_naim::showWindow()
{
    show();
    raise();
    activateWindow();
}

void TF_naim::showPicker()
{
    BtnSelect->setVisible(true);
    showWindow();
}

bool TF_naim::isPicker() const
{
    return !BtnSelect->isHidden();
}

void TF_naim::rememberLastRow()
{
    LastNaimKod = dm_.Qnaim.asInt(kNaimKod);
}

void TF_naim::reload(const QString& statement)
{
    data::replaceStatement(dm_.Qnaim, statement);
    rememberLastRow();
}

void TF_naim::FormActivate()
{
    // The grid stays hidden while the lists are walked and the rows re-read; an error on the
    // way leaves it hidden until an activation completes.
    QWidget* focused = focusWidget();
    const bool gridHadFocus = !focused || focused == DBGrid1 || DBGrid1->isAncestorOf(focused);
    DBGrid1->hide();

    // The names the list holds now, before the reload: after a filter, only those.
    refbooks::fillBox(dm_.Qnaim, *CBnaim, kNaimName);
    refbooks::fillBox(dm_.TType, *CBtype, QStringLiteral("type_name"));
    // The group drop-down of the grid then offers groups added in the types window too.
    dm_.Qqtype.refresh();
    reload(FullListStatement);
    dm_.Qnaim.first();

    DBGrid1->show();
    if (gridHadFocus)
        DBGrid1->setFocus();
}

void TF_naim::CBnaimChange()
{
    data::FilterQueryText(dm_.Qnaim, QStringLiteral("naim"), kNaimName, CBnaim->text(), kNaimName);
    rememberLastRow();
}

void TF_naim::CBnaimKeyPress()
{
    // The text as it stands before the key.
    dm_.Qnaim.locate(kNaimName, CBnaim->text(), true);
}

void TF_naim::CBtypeChange()
{
    dm_.Qtype.locate(QStringLiteral("type_name"), CBtype->text(), true);
    const qint32 code = dm_.Qtype.asInt(kTypeKod);
    data::FilterQueryInt(dm_.Qnaim, QStringLiteral("naim"), kTypeKod, code, kNaimName);
    rememberLastRow();
}

void TF_naim::SpeedButton1Click()
{
    reload(FullListStatement);
}

void TF_naim::N2Click()
{
    close();
}

void TF_naim::N4Click()
{
    reload(QStringLiteral("select * from naim order by naim_name"));
}

void TF_naim::N5Click()
{
    reload(QStringLiteral("select * from naim order by type_kod"));
}

void TF_naim::DBGrid1KeyDown(int key)
{
    Dataset& Qnaim = dm_.Qnaim;
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // On an empty list edit begins a new row, so Enter then adds an empty names record.
        Qnaim.edit();
        Qnaim.post();
        Qnaim.refresh();
        break;
    case Qt::Key_Escape:
        close();
        break;
    case Qt::Key_Down:
        addNameAfterLast();
        break;
    default:
        break;
    }
}

void TF_naim::addNameAfterLast()
{
    Dataset& Qnaim = dm_.Qnaim;
    Dataset& Qqnaim = dm_.Qqnaim;
    if (!Qnaim.isOpen())
        return;
    Qqnaim.close();
    Qqnaim.open();
    Qqnaim.locate(kNaimKod, LastNaimKod, true);
    const qint32 k = Qqnaim.asInt(kNaimKod);
    if (Qnaim.asInt(kNaimKod) != k)
        return;

    // The new record goes at the end of the list, so the grid's own Down, which follows, moves
    // onto it. The list is not re-read here: in name order the unnamed record would stand first.
    Qnaim.append();
    Qnaim.setInt(kTypeKod, 1);
    Qnaim.post();
    LastNaimKod = Qnaim.asInt(kNaimKod);
    Qnaim.prior();
}

void TF_naim::BtnSelectClick()
{
    if (!isPicker())
        return;
    Dataset& Qnaim = dm_.Qnaim;
    Dataset& Quchot = dm_.Quchot;
    // A name still being typed in the list is committed first, so the register gets what the
    // names reference holds.
    if (Qnaim.isOpen())
        Qnaim.checkBrowseMode();
    if (!Qnaim.isOpen() || Qnaim.currentRow() < 0) {
        ui::dialogs().message(QStringLiteral("Выберите наименование в списке."));
        return;
    }
    const QString name = Qnaim.asText(kNaimName);
    const qint32 group = Qnaim.asInt(kTypeKod);
    // The register holds shorter names than the reference: refuse rather than cut the name.
    const int field = Quchot.isOpen() ? Quchot.fieldIndex(kNaimName) : -1;
    const int width = field >= 0 ? Quchot.field(field).width : 0;
    if (width > 0 && name.size() > width) {
        ui::dialogs().message(
            QStringLiteral("Наименование длиннее %1 символов (в нём %2) не помещается в учёт. "
                           "Сократите его в справочнике и выберите снова.")
                .arg(width)
                .arg(name.size()));
        return;
    }
    Quchot.edit();
    Quchot.setText(kNaimName, name);
    Quchot.setInt(kTypeKod, group);
    Quchot.post();
    close();
}

void TF_naim::FormClose()
{
    BtnSelect->hide();
}

void TF_naim::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void TF_naim::keyPressEvent(QKeyEvent* event)
{
    // BtnSelect is the window's default button: Enter that the focused control leaves alone
    // presses it while it is shown.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && isPicker()) {
        BtnSelect->click();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool TF_naim::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched == CBnaim->lineEdit()
        && !static_cast<QKeyEvent*>(event)->text().isEmpty())
        ui::guarded([this] { CBnaimKeyPress(); });
    return QMainWindow::eventFilter(watched, event);
}
