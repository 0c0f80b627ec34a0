#include "search/U_poisk.h"

#include "data/DbError.h"
#include "data/QueryBuilders.h"
#include "data/SqlText.h"
#include "data/U_dm.h"
#include "search/KeyFilterEdit.h"
#include "search/NumberKey.h"
#include "search/RadioGroup.h"
#include "search/SearchPictures.h"
#include "search/SupplierCondition.h"
#include "search/U_rpoisk.h"
#include "ui/Dialogs.h"
#include "ui/ErrorBox.h"
#include "ui/WindowPlace.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <cmath>

TF_poisk* F_poisk = nullptr;

using data::Dataset;

namespace {

const QString& priceMessage()
{
    static const QString text = QStringLiteral("Поиск по учётной цене");
    return text;
}

const QString& averageMessage()
{
    // The third word begins with a Latin "c", as the clerks have always seen it.
    static const QString text = QStringLiteral("Поиск по cреднему расходу за месяц");
    return text;
}

QFont boldFont()
{
    QFont f;
    f.setBold(true);
    return f;
}

void paintBackground(QWidget* w, const QColor& colour)
{
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colour);
    w->setPalette(p);
}

QRadioButton* redButton(QWidget* parent)
{
    auto* b = new QRadioButton(QStringLiteral("Расширенный поиск "), parent);
    b->setFont(boldFont());
    QPalette p = b->palette();
    p.setColor(QPalette::WindowText, Qt::red);
    p.setColor(QPalette::ButtonText, Qt::red);
    b->setPalette(p);
    b->hide();
    return b;
}

// Unchecks a radio button that its siblings would otherwise keep checked.
void uncheck(QRadioButton* b)
{
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(true);
}

// The typed number with the user's decimal separator, at full precision.
double typedNumber(const QString& text)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double v = locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        throw data::DbError(QStringLiteral("'%1' не является числом").arg(text));
    return v;
}

const QString& columnField(int column)
{
    static const QString fields[] = {QStringLiteral("naim_name"), QStringLiteral("uchot_cena"),
                                     QStringLiteral("post_kod"), QStringLiteral("uchot_sredm")};
    return fields[column];
}

} // namespace

TF_poisk::TF_poisk(TDM1& dm, data::LastUchotNHolder& registerWindow, QWidget* parent)
    : QDialog(parent), dm_(dm), registerWindow_(registerWindow)
{
    build();
}

TF_poisk::~TF_poisk()
{
    if (F_poisk == this)
        F_poisk = nullptr;
}

void TF_poisk::build()
{
    setWindowTitle(QStringLiteral("Поиск косметики в базе"));
    setModal(true);
    setFixedSize(470, 340);
    paintBackground(this, search::mintGreen());
    ui::centreOnScreen(this);

    Image1 = new QLabel(this);
    Image1->setGeometry(246, 70, 216, 156);
    Image1->setPixmap(search::decorativePicture(Image1->size()));

    GroupBox1 = new QGroupBox(QStringLiteral("Вид поиска"), this);
    paintBackground(GroupBox1, search::skyBlue());
    GroupBox1->setGeometry(8, 6, 454, 58);
    RB1 = new QRadioButton(QStringLiteral("Точный"), GroupBox1);
    RB1->setFont(boldFont());
    RB1->setGeometry(14, 24, 120, 24);
    RB1->setChecked(true);
    RB2 = new QRadioButton(QStringLiteral("По вхождению"), GroupBox1);
    RB2->setFont(boldFont());
    RB2->setGeometry(150, 24, 180, 24);
    SpeedButton5 = new QToolButton(GroupBox1);
    SpeedButton5->setIcon(search::helpIcon());
    SpeedButton5->setIconSize(QSize(22, 22));
    SpeedButton5->setAutoRaise(true);
    SpeedButton5->setToolTip(QStringLiteral("Помощь"));
    SpeedButton5->setFocusPolicy(Qt::NoFocus);
    SpeedButton5->setGeometry(414, 20, 30, 30);

    RG1 = new search::RadioGroup(QStringLiteral("Поиск по"),
                                 {QStringLiteral("Названию инструмента"), QStringLiteral("Учётной цене"),
                                  QStringLiteral("Поставщику"), QStringLiteral("Ср. р. в месяц")},
                                 this);
    RG1->setFont(boldFont());
    paintBackground(RG1, search::skyBlue());
    RG1->setGeometry(8, 70, 232, 156);
    RG1->layout()->activate();
    RG1->setItemIndex(ToolName);

    // The red buttons stand beside the price and the average items.
    RadioButton1 = redButton(this);
    RadioButton2 = redButton(this);
    const auto besideItem = [this](QRadioButton* red, int item) {
        const QRect at = RG1->button(item)->geometry().translated(RG1->pos());
        red->setGeometry(RG1->geometry().right() + 10, at.center().y() - 12, 210, 24);
    };
    besideItem(RadioButton1, Price);
    besideItem(RadioButton2, Average);

    Label1 = new QLabel(QStringLiteral("Введите искомые значения"), this);
    Label1->setFont(boldFont());
    Label1->setGeometry(8, 236, 454, 22);
    Edit1 = new search::KeyFilterEdit(this);
    Edit1->setGeometry(8, 260, 454, 28);
    BitBtn1 = new QPushButton(search::findIcon(), QStringLiteral("Поиск"), this);
    BitBtn1->setFont(boldFont());
    BitBtn1->setGeometry(342, 298, 120, 34);
    BitBtn1->setAutoDefault(false);

    Edit1->onKeyPress = [this](QChar& key) { return Edit1KeyPress(key); };
    connect(RB2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            ui::guarded([this] { RB2Click(); });
    });
    connect(RG1, &search::RadioGroup::itemIndexChanged, this, [this] { ui::guarded([this] { RG1Click(); }); });
    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            ui::guarded([this] { RadioButton1Click(); });
    });
    connect(RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            ui::guarded([this] { RadioButton2Click(); });
    });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { ui::guarded([this] { BitBtn1Click(); }); });
    connect(SpeedButton5, &QToolButton::clicked, this, [this] { ui::guarded([this] { SpeedButton5Click(); }); });
    Edit1->setFocus();
}

void TF_poisk::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ui::guarded([this] { FormActivate(); });
}

void TF_poisk::FormActivate()
{
    uncheck(RadioButton1);
    uncheck(RadioButton2);
    RB1->setChecked(true);
    uncheck(RB2);
}

void TF_poisk::RB2Click()
{
    if (RB2->isChecked())
        uncheck(RB1);
}

void TF_poisk::RG1Click()
{
    const int item = RG1->itemIndex();
    RadioButton1->setVisible(item == Price);
    RadioButton2->setVisible(item == Average);
}

bool TF_poisk::Edit1KeyPress(QChar& key)
{
    const int item = RG1->itemIndex();
    if (item != Price && item != Average)
        return true;
    const search::NumberKey k = search::filterNumberKey(key, Edit1->text(), search::userDecimalSeparator());
    switch (k.verdict) {
    case search::NumberKeyVerdict::Accept:
        key = k.key;
        return true;
    case search::NumberKeyVerdict::Drop:
        return false;
    case search::NumberKeyVerdict::Refuse:
        ui::dialogs().message(QStringLiteral("Для поиска по цене вводятся только числовые значения!"));
        return false;
    }
    return false;
}

void TF_poisk::RadioButton1Click()
{
    openRangeSearch(TF_rpoisk::priceCaption());
}

void TF_poisk::RadioButton2Click()
{
    openRangeSearch(TF_rpoisk::averageCaption());
}

void TF_poisk::openRangeSearch(const QString& caption)
{
    // This dialog runs no search of its own; it stays on the screen beneath the range dialog
    // and goes away once that one has been closed.
    if (F_rpoisk) {
        F_rpoisk->setWindowTitle(caption);
        F_rpoisk->exec();
    }
    close();
}

void TF_poisk::BitBtn1Click()
{
    const bool exact = RB1->isChecked() && !RB2->isChecked();
    const bool substring = RB2->isChecked() && !RB1->isChecked();
    const int column = RG1->itemIndex();
    if ((exact || substring) && column >= ToolName && column <= Average) {
        if (exact)
            searchExact(column, Edit1->text());
        else
            searchSubstring(column, Edit1->text());
        rememberLastRow();
    }
    close();
}

void TF_poisk::searchExact(int column, const QString& text)
{
    Dataset& Quchot = dm_.Quchot;
    const QString uchot = QStringLiteral("uchot");
    const QString order = QStringLiteral("uchot_ind");
    switch (column) {
    case ToolName:
        data::FilterQueryText(Quchot, uchot, columnField(column), text, order);
        break;
    case Price:
    case Average:
        ui::dialogs().message(column == Price ? priceMessage() : averageMessage());
        data::FilterQueryReal(Quchot, uchot, columnField(column), typedNumber(text), order);
        break;
    case Supplier: {
        ui::dialogs().message(QStringLiteral("Поиск по поставщику"));
        // The first supplier in the list's order whose name begins with the text; when none
        // does, the supplier the list stands on.
        Dataset& Qpost = dm_.Qpost;
        if (!Qpost.isOpen())
            Qpost.open();
        Qpost.locate(QStringLiteral("post_name"), text, true);
        const qint32 code = Qpost.asInt(QStringLiteral("post_kod"));
        data::FilterQueryInt(Quchot, uchot, columnField(column), code, order);
        break;
    }
    }
}

void TF_poisk::searchSubstring(int column, const QString& text)
{
    if (column == Supplier) {
        searchSuppliersContaining(text);
        return;
    }
    if (column == Price)
        ui::dialogs().message(priceMessage());
    else if (column == Average)
        ui::dialogs().message(averageMessage());
    data::replaceStatement(dm_.Quchot, QStringLiteral("select * from uchot where ") + columnField(column)
                                           + QStringLiteral(" like  ")
                                           + data::sqlQuoted(QLatin1Char('%') + text + QLatin1Char('%'))
                                           + QStringLiteral(" order by uchot_ind"));
}

std::vector<qint32> TF_poisk::suppliersContaining(const QString& text)
{
    // The supplier list keeps this statement afterwards: the supplier box and the suppliers
    // window then list only these suppliers until the program ends.
    Dataset& Qpost = dm_.Qpost;
    Qpost.close();
    Qpost.clearSql();
    Qpost.setSql(QStringLiteral("select * from postman where post_name like ")
                 + data::sqlQuoted(QLatin1Char('%') + text + QLatin1Char('%')));
    Qpost.open();
    std::vector<qint32> codes;
    for (Qpost.first(); !Qpost.eof(); Qpost.next())
        codes.push_back(Qpost.asInt(QStringLiteral("post_kod")));
    return codes;
}

void TF_poisk::searchSuppliersContaining(const QString& text)
{
    const std::vector<qint32> codes = suppliersContaining(text);
    if (codes.empty()) {
        ui::dialogs().message(QStringLiteral("Нет поставщиков, в названии которых есть «%1»").arg(text));
        data::replaceStatement(dm_.Quchot, QStringLiteral("select * from uchot where 1=0 order by uchot_ind"));
        return;
    }
    ui::dialogs().message(search::supplierConditionText(codes));
    data::replaceStatement(dm_.Quchot, QStringLiteral("select * from uchot where ")
                                           + search::supplierConditionSql(codes)
                                           + QStringLiteral(" order by uchot_ind"));
}

void TF_poisk::rememberLastRow()
{
    registerWindow_.setLastUchotN(dm_.Quchot.asInt(QStringLiteral("uchot_N")));
}

void TF_poisk::SpeedButton5Click()
{
    ui::dialogs().information(
        QStringLiteral("Помощь"),
        QStringLiteral("«Точный» поиск показывает записи, в которых значение совпадает с введённым; "
                       "поиск «По вхождению» — записи, в которых введённый текст встречается в любом месте.\n"
                       "Выберите, где искать: в названии инструмента, учётной цене, поставщике или среднем "
                       "расходе в месяц. Для цены и среднего расхода вводятся только числа.\n"
                       "«Расширенный поиск» находит цену или средний расход между двумя значениями.\n"
                       "Весь список вернёт кнопка «Обновить» главного окна."));
}
