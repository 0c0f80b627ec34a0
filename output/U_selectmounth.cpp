#include "output/U_selectmounth.h"

#include "data/DbError.h"
#include "data/U_dm.h"
#include "output/MonthName.h"
#include "output/SpinEdit.h"
#include "ui/Dialogs.h"
#include "ui/ErrorBox.h"

#include <QBitmap>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

TF_sm* F_sm = nullptr;

using output::MonthName;

namespace {

QFont boldFont(int pixels)
{
    QFont f;
    f.setBold(true);
    f.setPixelSize(pixels);
    return f;
}

QLabel* makeLabel(QWidget* parent, const QString& text, int pixels, const QRect& at, Qt::Alignment align,
                  bool blue = false)
{
    auto* label = new QLabel(text, parent);
    label->setFont(boldFont(pixels));
    label->setGeometry(at);
    label->setAlignment(align);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAutoFillBackground(false);
    if (blue) {
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, Qt::blue);
        label->setPalette(p);
    }
    return label;
}

output::SpinEdit* makeSpin(QWidget* parent, int value, const QRect& at)
{
    auto* spin = new output::SpinEdit(parent);
    spin->setRange(1, 12);
    spin->setSingleStep(1);
    spin->setValue(value);
    spin->setFont(boldFont(19));
    spin->setGeometry(at);
    QPalette p = spin->palette();
    p.setColor(QPalette::Base, Qt::blue);
    p.setColor(QPalette::Text, Qt::yellow);
    spin->setPalette(p);
    return spin;
}

// The close button's picture: a dark red cross.
QIcon closeIcon()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(160, 0, 0), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    p.end();
    return QIcon(pm);
}

} // namespace

TF_sm::TF_sm(TDM1& dm, QWidget* grid, QWidget* parent) : TF_sm(dm.Quchot, grid, parent) {}

TF_sm::TF_sm(data::Dataset& Quchot, QWidget* grid, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), Quchot_(Quchot), grid_(grid)
{
    build();
    // The picture beside the database; without it the dialog keeps the picture drawn in.
    picture_.load(QStringLiteral("bigs.bmp"));
    updateShape();
}

TF_sm::~TF_sm() = default;

void TF_sm::build()
{
    setWindowTitle(QStringLiteral("Период"));
    setFixedSize(clientWidth, clientHeight);
    move(283, 146);
    setModal(true);

    BitBtn2 = new QToolButton(this);
    BitBtn2->setIcon(closeIcon());
    BitBtn2->setToolTip(QStringLiteral("Закрыть"));
    BitBtn2->setGeometry(352, 8, 25, 25);
    BitBtn2->setFocusPolicy(Qt::NoFocus);

    const Qt::Alignment center = Qt::AlignCenter;
    Label3 = makeLabel(this, QStringLiteral("Выберите период"), 21, QRect(0, 50, clientWidth, 32), center);
    Label1 = makeLabel(this, QStringLiteral("c"), 21, QRect(62, 120, 26, 32), center);
    Spe1 = makeSpin(this, 1, QRect(90, 119, 72, 34));
    Label2 = makeLabel(this, QStringLiteral("по"), 21, QRect(178, 120, 36, 32), center);
    Spe2 = makeSpin(this, 12, QRect(220, 119, 72, 34));
    Label4 = makeLabel(this, QStringLiteral("месяц"), 21, QRect(0, 172, clientWidth, 32), center);
    Label5 = makeLabel(this, MonthName(1), 19, QRect(10, 228, 170, 32), Qt::AlignRight | Qt::AlignVCenter, true);
    Label6 = makeLabel(this, QStringLiteral("-"), 21, QRect(182, 228, 20, 32), center, true);
    Label7 = makeLabel(this, MonthName(12), 19, QRect(204, 228, 170, 32), Qt::AlignLeft | Qt::AlignVCenter, true);

    BitBtn1 = new QPushButton(QStringLiteral("Выбрать"), this);
    BitBtn1->setFont(boldFont(13));
    BitBtn1->setGeometry(132, 306, 120, 36);
    BitBtn1->setAutoDefault(false);
    BitBtn1->setDefault(false);

    connect(Spe1, &output::SpinEdit::textEdited, this, [this] { Spe1Change(); });
    connect(Spe2, &output::SpinEdit::textEdited, this, [this] { Spe2Change(); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QToolButton::clicked, this, [this] { BitBtn2Click(); });
}

void TF_sm::paintEvent(QPaintEvent*)
{
    FormPaint();
}

void TF_sm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    updateShape();
}

void TF_sm::FormPaint()
{
    QPainter painter(this);
    picture_.paint(painter, size());
}

void TF_sm::updateShape()
{
    // The window as it is drawn, put together from the picture and the controls over it, so
    // that the shape in force does not hide anything; its exactly white pixels are cut away.
    QImage drawn(size(), QImage::Format_RGB32);
    {
        QPainter painter(&drawn);
        picture_.paint(painter, size());
    }
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisibleTo(this))
            child->render(&drawn, child->pos(), QRegion(), QWidget::DrawChildren);
    // Built from the runs of white pixels in each line: the region of what stays is then what it
    // says, whatever bit order a bitmap mask would have on the platform.
    QRegion white;
    const QRgb key = qRgb(255, 255, 255);
    for (int y = 0; y < drawn.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        int x = 0;
        while (x < drawn.width()) {
            if ((line[x] | 0xff000000u) != key) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < drawn.width() && (line[x] | 0xff000000u) == key)
                ++x;
            white += QRect(start, y, x - start, 1);
        }
    }
    const QRegion shape = QRegion(rect()) - white;

    if (shape == QRegion(rect())) {
        if (!mask().isEmpty())
            clearMask();
    } else if (shape != mask()) {
        setMask(shape);
    }
}

int TF_sm::wholeNumber(const QString& text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok)
        throw data::DbError(QStringLiteral("'%1' не является целым числом").arg(text));
    return n;
}

void TF_sm::monthChanged(output::SpinEdit* field, QLabel* label)
{
    ui::guarded([&] {
        label->setText(MonthName(wholeNumber(field->text())));
        updateShape();
    });
}

void TF_sm::Spe1Change()
{
    monthChanged(Spe1, Label5);
}

void TF_sm::Spe2Change()
{
    monthChanged(Spe2, Label7);
}

void TF_sm::BitBtn1Click()
{
    ui::guarded([this] {
        const int s = wholeNumber(Spe1->text());
        const int e = wholeNumber(Spe2->text());
        // A month outside the year has no column to export: the same answer as a reversed span.
        if (s > e || s < 1 || e > 12) {
            ui::dialogs().message(QStringLiteral("Задайте период правильно!"));
            Spe1->setText(QStringLiteral("1"));
            Spe2->setText(QStringLiteral("12"));
            return;
        }
        if (s == e)
            export_.ExportOneMonth(grid_, Quchot_, MonthName(s));
        else
            export_.ExportMonthSpan(grid_, Quchot_, s, e);
        accept();
    });
}

void TF_sm::BitBtn2Click()
{
    reject();
}
