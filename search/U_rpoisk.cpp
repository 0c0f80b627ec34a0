#include "search/U_rpoisk.h"

#include "data/DbError.h"
#include "data/QueryBuilders.h"
#include "data/U_dm.h"
#include "search/KeyFilterEdit.h"
#include "search/NumberKey.h"
#include "search/SearchPictures.h"
#include "ui/Dialogs.h"
#include "ui/ErrorBox.h"
#include "ui/WindowPlace.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>

TF_rpoisk* F_rpoisk = nullptr;

namespace {

QFont boldFont()
{
    QFont f;
    f.setBold(true);
    return f;
}

QLabel* blueLabel(const QString& text, QWidget* parent, const QRect& at)
{
    auto* label = new QLabel(text, parent);
    label->setFont(boldFont());
    label->setGeometry(at);
    label->setAttribute(Qt::WA_TranslucentBackground);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(p);
    return label;
}

qint32 wholeNumber(const QString& text)
{
    bool ok = false;
    const qint32 n = text.toInt(&ok, 10);
    if (!ok)
        throw data::DbError(QStringLiteral("'%1' не является целым числом").arg(text));
    return n;
}

// The edit's own text when it is plain digits (leading zeros kept), otherwise the number read
// from it: nothing but a number ever reaches the statement.
QString numberLiteral(const QString& text, qint32 value)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    return digits.match(text).hasMatch() ? text : QString::number(value);
}

} // namespace

TF_rpoisk::TF_rpoisk(TDM1& dm, data::LastUchotNHolder& registerWindow, QWidget* parent)
    : QDialog(parent), dm_(dm), registerWindow_(registerWindow)
{
    build();
}

TF_rpoisk::~TF_rpoisk()
{
    if (F_rpoisk == this)
        F_rpoisk = nullptr;
}

QString TF_rpoisk::priceCaption()
{
    return QStringLiteral("Расширенный поиск по цене");
}

QString TF_rpoisk::averageCaption()
{
    return QStringLiteral("Расширенный поиск по среднему расходу в месяц");
}

void TF_rpoisk::build()
{
    setModal(true);
    setFixedSize(420, 176);
    ui::centreOnScreen(this);
    picture_ = search::decorativePicture(size());

    Bevel1 = new QFrame(this);
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(8, 8, 404, 96);

    Label1 = blueLabel(QStringLiteral("Минимальное значение"), this, QRect(18, 22, 210, 24));
    Edit1 = new search::KeyFilterEdit(this);
    Edit1->setGeometry(236, 20, 164, 26);
    Label2 = blueLabel(QStringLiteral("Максимальное значение"), this, QRect(18, 64, 210, 24));
    Edit2 = new search::KeyFilterEdit(this);
    Edit2->setGeometry(236, 62, 164, 26);

    BitBtn1 = new QPushButton(search::findIcon(), QStringLiteral("Поиск"), this);
    BitBtn1->setFont(boldFont());
    BitBtn1->setGeometry(150, 120, 120, 36);
    BitBtn1->setAutoDefault(false);

    SpeedButton5 = new QToolButton(this);
    SpeedButton5->setIcon(search::helpIcon());
    SpeedButton5->setIconSize(QSize(22, 22));
    SpeedButton5->setAutoRaise(true);
    SpeedButton5->setToolTip(QStringLiteral("Справка"));
    SpeedButton5->setFocusPolicy(Qt::NoFocus);
    SpeedButton5->setGeometry(378, 124, 30, 30);

    Edit1->onKeyPress = [this](QChar& key) { return Edit1KeyPress(key); };
    Edit2->onKeyPress = [this](QChar& key) { return Edit2KeyPress(key); };
    connect(BitBtn1, &QPushButton::clicked, this, [this] { ui::guarded([this] { BitBtn1Click(); }); });
    connect(SpeedButton5, &QToolButton::clicked, this, [this] { ui::guarded([this] { SpeedButton5Click(); }); });
}

void TF_rpoisk::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), search::mintGreen());
    painter.drawPixmap(rect(), picture_);
}

bool TF_rpoisk::numberKey(search::KeyFilterEdit* edit, QChar& key)
{
    const search::NumberKey k = search::filterNumberKey(key, edit->text(), search::userDecimalSeparator());
    if (k.verdict != search::NumberKeyVerdict::Accept)
        return false;
    key = k.key;
    return true;
}

bool TF_rpoisk::Edit1KeyPress(QChar& key)
{
    return numberKey(Edit1, key);
}

bool TF_rpoisk::Edit2KeyPress(QChar& key)
{
    return numberKey(Edit2, key);
}

void TF_rpoisk::BitBtn1Click()
{
    const QString minText = Edit1->text();
    const QString maxText = Edit2->text();
    if (minText.isEmpty() || maxText.isEmpty()) {
        ui::dialogs().message(QStringLiteral("Заполните искомые значения!!!"));
        clearAndClose();
        return;
    }
    const qint32 min = wholeNumber(minText);
    const qint32 max = wholeNumber(maxText);
    if (min > max) {
        ui::dialogs().message(QStringLiteral("Минимальное значение больше максимального, введите ещё раз!!!"));
        clearAndClose();
        return;
    }
    const QString caption = windowTitle();
    if (caption == priceCaption())
        runRange(QStringLiteral("uchot_cena"), minText, min, maxText, max);
    if (caption == averageCaption()) {
        ui::dialogs().message(averageCaption());
        runRange(QStringLiteral("uchot_sredm"), minText, min, maxText, max);
    }
    clearAndClose();
}

void TF_rpoisk::runRange(const QString& field, const QString& minText, qint32 min, const QString& maxText,
                         qint32 max)
{
    data::replaceStatement(dm_.Quchot, QStringLiteral("select * from uchot where (") + field + QStringLiteral(">=")
                                           + numberLiteral(minText, min) + QStringLiteral(") And (") + field
                                           + QStringLiteral("<=") + numberLiteral(maxText, max)
                                           + QStringLiteral(")  order by uchot_N "));
    registerWindow_.setLastUchotN(dm_.Quchot.asInt(QStringLiteral("uchot_N")));
}

void TF_rpoisk::clearAndClose()
{
    Edit1->clear();
    Edit2->clear();
    close();
}

void TF_rpoisk::SpeedButton5Click()
{
    ui::dialogs().information(
        QStringLiteral("Справка"),
        QStringLiteral("Введите наименьшее и наибольшее значение и нажмите «Поиск».\n"
                       "Будут показаны записи, у которых значение лежит между ними, обе границы включительно.\n"
                       "Вводятся только целые числа. Весь список вернёт кнопка «Обновить» главного окна."));
}
