#include "app/U_gl.h"

#include "app/DatedCopy.h"
#include "app/ProgramIcon.h"
#include "app/U_about.h"
#include "archive/ArchiveModeView.h"
#include "archive/ArchiveView.h"
#include "archive/YearArchive.h"
#include "data/QueryBuilders.h"
#include "data/Schema.h"
#include "output/U_rep.h"
#include "output/U_selectmounth.h"
#include "refbooks/U_spr_naim.h"
#include "refbooks/U_spr_post.h"
#include "refbooks/U_spr_type.h"
#include "search/U_poisk.h"
#include "settings/GridSettings.h"
#include "settings/SaveOnClose.h"
#include "settings/SettingsPath.h"
#include "settings/U_nastr.h"
#include "ui/CompletingComboBox.h"
#include "ui/DBGrid.h"
#include "ui/DBNavigator.h"
#include "ui/ErrorBox.h"
#include "ui/ShortDateFormat.h"
#include "ui/WindowPlace.h"

#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QShowEvent>
#include <QStatusBar>
#include <QToolButton>
#include <QWindow>

TF_gl* F_gl = nullptr;
TFabout* Fabout = nullptr;
TF_nastr* F_nastr = nullptr;

using data::Dataset;
using ui::GridColumn;

namespace {

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

QFrame* bluePanel(QWidget* parent)
{
    auto* panel = new QFrame(parent);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 255));
    panel->setPalette(pal);
    return panel;
}

QToolButton* flatButton(const QIcon& icon, const QString& hint, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setIcon(icon);
    b->setIconSize(QSize(24, 24));
    b->setAutoRaise(true);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

} // namespace

TF_gl::TF_gl(const QString& settingsPath, QWidget* parent)
    : QMainWindow(parent)
    , settingsPath_(settingsPath.isEmpty() ? settings::settingsFilePath() : settingsPath)
{
    setWindowTitle(QStringLiteral("Программа учёта инструмента для ТОРН"));
    setWindowIcon(programIcon());
    buildHeader();
    buildGrid();
    buildFooter();
    buildMenu();

    StatusBar1 = ui::stackDataWindow(this, Panel2, DBGrid1, Panel3);

    resize(1100, 700);
    ui::centreOnScreen(this);

    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &TF_gl::focusWindowChanged);
    DBGrid1->setFocus();
    FormCreate();
}

TF_gl::~TF_gl()
{
    if (dm_)
        dm_->setRegisterWindow(nullptr);
    if (F_gl == this)
        F_gl = nullptr;
}

void TF_gl::buildHeader()
{
    Panel2 = bluePanel(this);
    SpeedButton1 = flatButton(refreshIcon(), QStringLiteral("Обновить"), Panel2);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { ui::guarded([this] { SpeedButton1Click(); }); });

    auto makeBox = [this](const QString& prompt, bool sorted) {
        auto* box = new ui::CompletingComboBox(Panel2);
        box->setSorted(sorted);
        box->setText(prompt);
        box->setMinimumWidth(200);
        return box;
    };
    CBnaim = makeBox(dashes(13) + QStringLiteral("Выберите изделие") + dashes(12), true);
    CBcena = makeBox(dashes(4) + QStringLiteral("Выберите цену") + dashes(4), true);
    CByear = makeBox(dashes(7) + QStringLiteral("Выберите год") + dashes(5), false);
    CBtype = makeBox(QStringLiteral("Выберите группу инструмента") + dashes(5), true);
    CBpost = makeBox(dashes(8) + QStringLiteral("Выберите Поставщика") + dashes(7), true);
    CBnaim->setMinimumWidth(300);
    QStringList years;
    for (int y = 2001; y <= 2020; ++y)
        years << QString::number(y);
    CByear->setItems(years);

    Label1 = headerLabel(QStringLiteral("Название инструмента"), Panel2);
    Label2 = headerLabel(QStringLiteral("Поставщик"), Panel2);
    Label3 = headerLabel(QStringLiteral("Текущий год"), Panel2);
    Label4 = headerLabel(QStringLiteral("Группа инструмента"), Panel2);
    Label5 = headerLabel(QStringLiteral("Цена инструмента"), Panel2);
    // The price box belongs to the header but nothing shows it.
    Label5->hide();
    CBcena->hide();

    auto* grid = new QGridLayout(Panel2);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(2);
    grid->addWidget(SpeedButton1, 0, 0, 2, 1, Qt::AlignVCenter);
    const std::pair<QLabel*, ui::CompletingComboBox*> pairs[] = {
        {Label1, CBnaim}, {Label2, CBpost}, {Label3, CByear}, {Label4, CBtype}, {Label5, CBcena}};
    int col = 1;
    for (const auto& [label, box] : pairs) {
        grid->addWidget(label, 0, col);
        grid->addWidget(box, 1, col);
        ++col;
    }
    grid->setColumnStretch(col, 1);

    connect(CBnaim, &ui::CompletingComboBox::userChanged, this, [this] { ui::guarded([this] { CBnaimChange(); }); });
    connect(CBpost, &ui::CompletingComboBox::userChanged, this, [this] { ui::guarded([this] { CBpostChange(); }); });
    connect(CByear, &ui::CompletingComboBox::userChanged, this, [this] { ui::guarded([this] { CByearChange(); }); });
    connect(CBtype, &ui::CompletingComboBox::userChanged, this, [this] { ui::guarded([this] { CBtypeChange(); }); });
}

void TF_gl::buildGrid()
{
    DBGrid1 = new ui::DBGrid(this);
    QFont font(QStringLiteral("MS Sans Serif"), 10);
    DBGrid1->setFont(font);
    QFont titleFont = font;
    titleFont.setBold(true);
    DBGrid1->horizontalHeader()->setFont(titleFont);

    const auto centred = Qt::AlignHCenter | Qt::AlignVCenter;
    const auto left = Qt::AlignLeft | Qt::AlignVCenter;
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    std::vector<GridColumn> columns = {
        {QStringLiteral("uchot_N"), QStringLiteral("№"), {}, right, 6, false, false},
        {QStringLiteral("uchot_ind"), QStringLiteral("№"), {}, right, 5, true, false},
        {QStringLiteral("post_name"), QStringLiteral("Поставщик"), QColor(0, 255, 255), left, 24, true, false},
        {QStringLiteral("uchot_god"), QStringLiteral("год"), {}, centred, 5, true, false},
        {QStringLiteral("naim_name"), QStringLiteral("Наименование"), {}, left, 36, true, true},
        {QStringLiteral("type_name"), QStringLiteral("группа инструментов"), QColor(166, 202, 240), left, 22, true, false},
        {QStringLiteral("uchot_cena"), QStringLiteral("учётная цена"), {}, right, 13, true, false},
        {QStringLiteral("uchot_sredm"), QStringLiteral("Ср. расход в мес."), QColor(255, 255, 0), centred, 14, true, false},
    };
    for (const QString& m : data::monthColumns())
        columns.push_back({m, m, {}, centred, 8, true, false});
    DBGrid1->setColumns(columns);
    DBGrid1->onKeyDown = [this](int key, Qt::KeyboardModifiers) { DBGrid1KeyDown(key); };
    DBGrid1->onEditButtonClick = [this] { DBGrid1EditButtonClick(); };
}

void TF_gl::buildFooter()
{
    Panel3 = bluePanel(this);
    SpeedButton2 = flatButton(searchIcon(), QStringLiteral("Поиск"), Panel3);
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { ui::guarded([this] { SpeedButton2Click(); }); });
    DBNavigator1 = new ui::DBNavigator(Panel3);
    auto* layout = new QHBoxLayout(Panel3);
    layout->setContentsMargins(6, 3, 6, 3);
    layout->addWidget(SpeedButton2);
    layout->addSpacing(12);
    layout->addWidget(DBNavigator1);
    layout->addStretch(1);
}

void TF_gl::buildMenu()
{
    QMenuBar* bar = menuBar();
    auto item = [this](QMenu* menu, const QString& caption, const QKeySequence& shortcut, void (TF_gl::*handler)()) {
        QAction* a = menu->addAction(caption);
        if (!shortcut.isEmpty()) {
            a->setShortcut(shortcut);
            // Menu keys win over the focused control: F2 in the grid opens the types window.
            a->setShortcutContext(Qt::ApplicationShortcut);
        }
        connect(a, &QAction::triggered, this, [this, handler] { ui::guarded([this, handler] { (this->*handler)(); }); });
        addAction(a);
        return a;
    };

    QMenu* N1 = bar->addMenu(QStringLiteral("Файл"));
    Excel1 = item(N1, QStringLiteral("Экспорт в Excel"), QKeySequence(Qt::Key_F5), &TF_gl::Excel1Click);
    N10 = item(N1, QStringLiteral("Печать"), QKeySequence(Qt::CTRL | Qt::Key_P), &TF_gl::N10Click);
    N1->addSeparator();
    N2 = item(N1, QStringLiteral("Выход"), QKeySequence(Qt::Key_F10), &TF_gl::N2Click);

    QMenu* N3 = bar->addMenu(QStringLiteral("Справочник"));
    N4 = item(N3, QStringLiteral("Наиме&нования"), QKeySequence(Qt::Key_F1), &TF_gl::N4Click);
    N7 = item(N3, QStringLiteral("Т&ипы"), QKeySequence(Qt::Key_F2), &TF_gl::N7Click);
    N8 = item(N3, QStringLiteral("Поставщики"), QKeySequence(Qt::Key_F3), &TF_gl::N8Click);

    QMenu* N11 = bar->addMenu(QStringLiteral("Сортировка"));
    N12 = item(N11, QStringLiteral("по наименованию"), {}, &TF_gl::N12Click);
    N19 = item(N11, QStringLiteral("по группе инструментов"), {}, &TF_gl::N19Click);
    N13 = item(N11, QStringLiteral("по учётной цене"), {}, &TF_gl::N13Click);
    N14 = item(N11, QStringLiteral("по поставщику"), {}, &TF_gl::N14Click);
    N15 = item(N11, QStringLiteral("по году постановки на учёт"), {}, &TF_gl::N15Click);
    N16 = item(N11, QStringLiteral("по среднему расходу в месяц"), {}, &TF_gl::N16Click);

    QMenu* N20 = bar->addMenu(QStringLiteral("Архивы"));
    N21 = item(N20, QStringLiteral("Просмотр архивов"), {}, &TF_gl::N21Click);
    N22 = item(N20, QStringLiteral("Занести данные в архив"), {}, &TF_gl::N22Click);
    N23 = item(N20, QStringLiteral("Вернуть текущие данные"), {}, &TF_gl::N23Click);
    N23->setVisible(false);

    QMenu* N17 = bar->addMenu(QStringLiteral("Настройка"));
    N18 = item(N17, QStringLiteral("Скрытие столбцов"), QKeySequence(Qt::CTRL | Qt::Key_N), &TF_gl::N18Click);

    QMenu* N5 = bar->addMenu(QStringLiteral("О Программе"));
    N6 = item(N5, QStringLiteral("Об авторе"), QKeySequence(Qt::CTRL | Qt::Key_A), &TF_gl::N6Click);

}

void TF_gl::FormCreate()
{
    ComboPrompts = {CBnaim->text(), CBcena->text(), CByear->text(), CBtype->text(), CBpost->text()};
    makeDatedCopy(QStringLiteral("db_Tavrel.mdb"), QDate::currentDate());
    settings::LoadGridSettings(*DBGrid1, settingsPath_);
}

void TF_gl::attachData(TDM1& dm)
{
    dm_ = &dm;
    dm.setRegisterWindow(this);
    DBGrid1->setDataSource(&dm.DS1);
    DBNavigator1->setDataSource(&dm.DS1);
    Qop = std::make_unique<Dataset>(dm.Adc1, Dataset::Kind::Query, QStringLiteral("Qop"));
}

void TF_gl::focusWindowChanged(QWindow* window)
{
    // Drop-down lists are windows of their own; they neither activate nor count.
    if (window && (window->type() == Qt::Popup || window->type() == Qt::ToolTip))
        return;
    if (window && window == windowHandle()) {
        const bool fromOurWindow = lastProgramWindow_ != nullptr;
        if (!activatedOnce_ || fromOurWindow) {
            activatedOnce_ = true;
            ui::guarded([this] { FormActivate(); });
        }
    }
    lastProgramWindow_ = window;
}

void TF_gl::FormActivate()
{
    if (!dm_)
        return;
    // The walks below must not repaint the grid; whatever fails, it is shown again.
    DBGrid1->setUpdatesEnabled(false);
    struct Restore {
        TF_gl* w;
        ~Restore()
        {
            w->DBGrid1->setUpdatesEnabled(true);
            w->Tag = 0;
        }
    } restore{this};

    TDM1& dm = *dm_;
    if (Tag == 0 || Tag == 1) {
        if (!dm.Quchot.isOpen())
            dm.Quchot.open();
        dm.Quchot.last();
        dm.Qnaim.refresh();
        dm.Qtype.refresh();
        dm.Qpost.refresh();
        // The lookup sources too, so groups and suppliers changed in their windows show here.
        dm.Qqtype.refresh();
        dm.Qqpost.refresh();
        FillCombo(dm.Quchot, CBcena, QStringLiteral("uchot_cena"));
        FillCombo(dm.Quchot, CBnaim, QStringLiteral("naim_name"));
        FillCombo(dm.Qtype, CBtype, QStringLiteral("type_name"));
        FillCombo(dm.Qpost, CBpost, QStringLiteral("post_name"));
        LastUchotN = dm.Quchot.asInt(QStringLiteral("uchot_N"));
    }
    if (Tag == 1)
        dm.Quchot.locate(QStringLiteral("uchot_N"), PickedUchotN, true);
}

void TF_gl::FillCombo(Dataset& query, ui::CompletingComboBox* box, const QString& fieldName)
{
    // Reads the column straight from the snapshot rather than stepping the cursor row by row:
    // the same items, and the query ends on its last row as the walk would leave it.
    if (!query.isOpen())
        query.open();
    query.checkBrowseMode();
    const int field = query.fieldIndex(fieldName);
    if (field < 0)
        throw data::DbError(QStringLiteral("%1: поле «%2» не найдено").arg(query.name(), fieldName));
    // An activation follows every message box: when the rows are the ones the box was last
    // filled from, its list would come out the same, so it is kept.
    FillSource& filled = filledFrom_[box];
    if (filled.query == &query && filled.fieldName == fieldName && filled.generation == query.generation()) {
        query.last();
        return;
    }
    QStringList items;
    const int n = query.recordCount();
    items.reserve(n);
    for (int row = 0; row < n; ++row)
        items << query.text(row, field);
    box->setItems(items);
    query.last();
    filled = {&query, fieldName, query.generation()};
}

void TF_gl::setLastFromRegister()
{
    LastUchotN = dm_->Quchot.asInt(QStringLiteral("uchot_N"));
}

void TF_gl::CBnaimChange()
{
    data::FilterQueryText(dm_->Quchot, QStringLiteral("uchot"), QStringLiteral("naim_name"), CBnaim->text(),
                          QStringLiteral("uchot_N"));
    setLastFromRegister();
}

void TF_gl::CByearChange()
{
    data::FilterQueryText(dm_->Quchot, QStringLiteral("uchot"), QStringLiteral("uchot_god"), CByear->text(),
                          QStringLiteral("uchot_N"));
    setLastFromRegister();
}

void TF_gl::CBtypeChange()
{
    dm_->Qtype.locate(QStringLiteral("type_name"), CBtype->text(), true);
    const qint32 code = dm_->Qtype.asInt(QStringLiteral("type_kod"));
    data::FilterQueryInt(dm_->Quchot, QStringLiteral("uchot"), QStringLiteral("type_kod"), code,
                         QStringLiteral("uchot_ind"));
    setLastFromRegister();
}

void TF_gl::CBpostChange()
{
    dm_->Qpost.locate(QStringLiteral("post_name"), CBpost->text(), true);
    const qint32 code = dm_->Qpost.asInt(QStringLiteral("post_kod"));
    data::FilterQueryInt(dm_->Quchot, QStringLiteral("uchot"), QStringLiteral("post_kod"), code,
                         QStringLiteral("uchot_N"));
    setLastFromRegister();
}

void TF_gl::SpeedButton1Click()
{
    data::replaceStatement(dm_->Quchot, TDM1::registerStatement());
    setLastFromRegister();
    ui::CompletingComboBox* boxes[] = {CBnaim, CBcena, CByear, CBtype, CBpost};
    for (int i = 0; i < 5; ++i)
        boxes[i]->setText(ComboPrompts[i]);
}

void TF_gl::sortBy(const QString& field)
{
    data::SortQuery(dm_->Quchot, QStringLiteral("uchot"), field);
    setLastFromRegister();
}

void TF_gl::N12Click() { sortBy(QStringLiteral("naim_name")); }
void TF_gl::N19Click() { sortBy(QStringLiteral("type_kod")); }
void TF_gl::N13Click() { sortBy(QStringLiteral("uchot_cena")); }
void TF_gl::N14Click() { sortBy(QStringLiteral("post_kod")); }
void TF_gl::N15Click() { sortBy(QStringLiteral("uchot_god")); }
void TF_gl::N16Click() { sortBy(QStringLiteral("uchot_sredm")); }

void TF_gl::N2Click()
{
    close();
}

void TF_gl::N6Click()
{
    if (Fabout)
        Fabout->exec();
}

void TF_gl::SpeedButton2Click()
{
    if (F_poisk)
        F_poisk->exec();
}

void TF_gl::N4Click()
{
    if (F_naim)
        F_naim->showWindow();
}

void TF_gl::N7Click()
{
    if (F_type)
        F_type->showWindow();
}

void TF_gl::N8Click()
{
    if (F_post)
        F_post->showWindow();
}
void TF_gl::Excel1Click()
{
    if (F_sm)
        F_sm->exec();
}
void TF_gl::N10Click()
{
    if (F_QRep)
        F_QRep->Preview();
}
void TF_gl::N18Click()
{
    if (F_nastr)
        F_nastr->exec();
}
void TF_gl::N21Click()
{
    archive::viewArchive(*dm_, {[this](const QString& c) { setWindowTitle(c); }, N21, N22, N23}, *this);
    // The filter boxes list what the file now shown holds.
    FormActivate();
}

void TF_gl::N22Click()
{
    archive::archiveAndClear(*dm_, *Qop, *this);
}

void TF_gl::N23Click()
{
    archive::returnToWorkingData(*dm_, {[this](const QString& c) { setWindowTitle(c); }, N21, N22, N23}, *this);
    FormActivate();
}

QString TF_gl::CurrentYearText()
{
    ui::setShortDateFormat(QStringLiteral("yyyy"));
    return ui::formatShortDate(QDate::currentDate());
}

void TF_gl::DBGrid1KeyDown(int key)
{
    if (!dm_)
        return;
    Dataset& Quchot = dm_->Quchot;
    const qint32 i = Quchot.isOpen() ? Quchot.asInt(QStringLiteral("uchot_ind")) : 0;

    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        Quchot.edit();
        Quchot.post();
        Quchot.refresh();
        return;
    }
    if (key != Qt::Key_Down)
        return;

    const qint32 tableRow = dm_->downCheckRow(LastUchotN);
    const qint32 registerRow = Quchot.isOpen() ? Quchot.asInt(QStringLiteral("uchot_N")) : 0;
    if (tableRow != registerRow)
        return;

    Quchot.insert();
    Quchot.setText(QStringLiteral("uchot_god"), CurrentYearText());
    Quchot.setInt(QStringLiteral("uchot_ind"), qint64(i) + 1);
    Quchot.setInt(QStringLiteral("type_kod"), 14);
    Quchot.post();
    LastUchotN = Quchot.asInt(QStringLiteral("uchot_N"));
    Quchot.refresh();
    Quchot.prior();
}

void TF_gl::DBGrid1EditButtonClick()
{
    Tag = 1;
    PickedUchotN = dm_ ? dm_->Quchot.asInt(QStringLiteral("uchot_N")) : 0;
    if (F_naim)
        F_naim->showPicker();
}

void TF_gl::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The first showing counts as the first activation even where no window manager hands the
    // window the focus.
    if (!activatedOnce_) {
        activatedOnce_ = true;
        ui::guarded([this] { FormActivate(); });
    }
}

void TF_gl::closeEvent(QCloseEvent* event)
{
    // An open preview ends with the program.
    if (F_QRep)
        F_QRep->closePreview();
    // First the column hiding dialog's ticks, then the grid's own settings; a file that cannot
    // be written is reported and the window closes all the same.
    if (F_nastr)
        settings::saveOnClose(*F_nastr, *DBGrid1, settingsPath_);
    else
        ui::guarded([this] { settings::SaveGridSettings(*DBGrid1, settingsPath_); });
    event->accept();
}
