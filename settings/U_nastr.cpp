#include "settings/U_nastr.h"

#include "settings/IniFile.h"
#include "ui/DBGrid.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <array>

namespace {

constexpr int kBoxCount = 19;
const QString kSection = QStringLiteral("Options NCheckBox");

// The dialog's check boxes, box n at index n (index 0 unused). One table for the program,
// filled by the dialog's constructor before the ticks are loaded.
std::array<QCheckBox*, kBoxCount + 1> CheckBoxes{};

// Captions of the boxes 1 to 19, in column position order.
const char16_t* const kCaptions[kBoxCount] = {
    u"№", u"Поставщик", u"Год", u"Наименование", u"Группа инструментов", u"Учётная цена",
    u"Средний расход в месяц", u"Январь", u"февраль", u"март", u"апрель", u"май", u"июнь",
    u"июль", u"август", u"сентябрь", u"октябрь", u"ноябрь", u"декабрь",
};
constexpr int kLeftColumnCount = 7;   // boxes 1 to 7 on the left, the months on the right

QString checkedKey(int n)
{
    return QStringLiteral("CheckBox%1 checked").arg(n);
}

// The background picture, stretched over the whole window.
QPixmap backgroundPicture()
{
    QPixmap pixmap(256, 256);
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, 256, 256);
    gradient.setColorAt(0.0, QColor(0xD6, 0xE4, 0xF5));
    gradient.setColorAt(1.0, QColor(0xF8, 0xFB, 0xFF));
    painter.fillRect(pixmap.rect(), gradient);
    return pixmap;
}

} // namespace

TF_nastr::TF_nastr(ui::DBGrid& grid, const QString& iniPath, QWidget* parent)
    : QDialog(parent), grid_(grid), iniPath_(iniPath)
{
    createControls();
    FormCreate();
}

TF_nastr::~TF_nastr()
{
    // The table must not outlive the boxes it points at.
    for (QCheckBox*& box : CheckBoxes)
        if (box && box->window() == this)
            box = nullptr;
}

void TF_nastr::createControls()
{
    setObjectName(QStringLiteral("F_nastr"));
    setWindowTitle(QStringLiteral("Настройка"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(backgroundPicture());
    Image1->setScaledContents(true);
    Image1->lower();

    GroupBox1 = new QGroupBox(QStringLiteral("Отметьте поля для скрытия"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    QFont bold = font();
    bold.setBold(true);
    GroupBox1->setFont(bold);

    auto* grid = new QGridLayout(GroupBox1);
    grid->setHorizontalSpacing(24);
    QPalette navy = palette();
    navy.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    std::array<QCheckBox*, kBoxCount + 1> boxes{};
    for (int n = 1; n <= kBoxCount; ++n) {
        auto* box = new QCheckBox(QString::fromUtf16(kCaptions[n - 1]), GroupBox1);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(n));
        box->setFont(bold);
        box->setPalette(navy);
        if (n <= kLeftColumnCount)
            grid->addWidget(box, n - 1, 0);
        else
            grid->addWidget(box, n - kLeftColumnCount - 1, 1);
        boxes[size_t(n)] = box;
    }

    // The three buttons, one above the other, under the left column.
    QPalette blue = palette();
    blue.setColor(QPalette::ButtonText, QColor(0x00, 0x00, 0xFF));
    auto makeButton = [&](const char* name, const QString& caption) {
        auto* button = new QPushButton(caption, GroupBox1);
        button->setObjectName(QLatin1String(name));
        button->setFont(bold);
        button->setPalette(blue);
        button->setAutoDefault(false);
        return button;
    };
    BitBtn3 = makeButton("BitBtn3", QStringLiteral("Отметить все "));
    BitBtn2 = makeButton("BitBtn2", QStringLiteral("Пропустить все"));
    BitBtn1 = makeButton("BitBtn1", QStringLiteral("Принять изменения"));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));
    auto* buttons = new QVBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn3);
    buttons->addWidget(BitBtn2);
    buttons->addWidget(BitBtn1);
    const int monthRows = kBoxCount - kLeftColumnCount;
    grid->addLayout(buttons, kLeftColumnCount, 0, monthRows - kLeftColumnCount, 1);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(GroupBox1);
    setFixedSize(sizeHint());

    // Tab order: down the left column, down the months from "февраль", "Январь" last, then
    // the buttons from the top.
    std::vector<QWidget*> order;
    for (int n = 1; n <= kLeftColumnCount; ++n)
        order.push_back(boxes[size_t(n)]);
    for (int n = kLeftColumnCount + 2; n <= kBoxCount; ++n)
        order.push_back(boxes[size_t(n)]);
    order.push_back(boxes[size_t(kLeftColumnCount + 1)]);
    order.push_back(BitBtn3);
    order.push_back(BitBtn2);
    order.push_back(BitBtn1);
    for (size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(BitBtn1, &QPushButton::clicked, this, &TF_nastr::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TF_nastr::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TF_nastr::BitBtn3Click);

    CheckBoxes = boxes;
}

void TF_nastr::FormCreate()
{
    LoadCheckStates();
}

void TF_nastr::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Image1->setGeometry(rect());
}

void TF_nastr::showEvent(QShowEvent* event)
{
    // Centred on the desktop, whatever window opened it.
    if (QScreen* s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

void TF_nastr::readCheckStates(const settings::IniFile& ini)
{
    for (int n = 1; n <= kBoxCount; ++n)
        CheckBoxes[size_t(n)]->setChecked(ini.readInteger(kSection, checkedKey(n), 0) != 0);
}

void TF_nastr::writeCheckStates(settings::IniFile& ini) const
{
    for (int n = 1; n <= kBoxCount; ++n)
        ini.writeInteger(kSection, checkedKey(n), CheckBoxes[size_t(n)]->isChecked() ? 1 : 0);
}

void TF_nastr::LoadCheckStates()
{
    readCheckStates(settings::IniFile(iniPath_));
}

void TF_nastr::SaveCheckStates()
{
    settings::IniFile ini(iniPath_);
    writeCheckStates(ini);
    ini.save();
}

void TF_nastr::BitBtn1Click()
{
    // Every position is set, so a cleared box shows its column again.
    for (int n = 1; n <= kBoxCount; ++n)
        grid_.setColumnVisible(n, !CheckBoxes[size_t(n)]->isChecked());
    accept();
}

void TF_nastr::BitBtn2Click()
{
    for (int n = 1; n <= kBoxCount; ++n)
        CheckBoxes[size_t(n)]->setChecked(false);
}

void TF_nastr::BitBtn3Click()
{
    for (int n = 1; n <= kBoxCount; ++n)
        CheckBoxes[size_t(n)]->setChecked(true);
}
