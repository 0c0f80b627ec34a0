// The month period dialog on the offscreen platform: its fields, labels, messages and the export
// it starts, read back from the written workbook.

#include "TempDir.h"
#include "test_export_xlsx.h"

#include "data/U_dm.h"
#include "output/SpinEdit.h"
#include "output/U_selectmounth.h"
#include "ui/ScriptedDialogs.h"

#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using ui::ScriptedDialogs;

namespace {

class RecordingOpener : public output::WorkbookOpener {
public:
    bool open(const QString& path) override
    {
        opened << path;
        return true;
    }
    QStringList opened;
};

// The dialog as the program makes it at start, over a small register, with its export aimed
// at a folder of the working folder.
struct DialogFixture {
    explicit DialogFixture(int rows = 6, const QImage& picture = QImage()) : wd(rows), dm()
    {
        if (!picture.isNull())
            picture.save(wd.file(QStringLiteral("bigs.bmp")), "BMP");
        F = std::make_unique<TF_sm>(dm, &grid);
        F->exporter().setFolder(wd.file(QStringLiteral("Документы")));
        F->exporter().setOpener(&opener);
        grid.show();
    }
    ~DialogFixture()
    {
        F->close();
        grid.close();
    }

    void leave(output::SpinEdit* field)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(field, &out);
    }
    void retype(output::SpinEdit* field, const QString& keys)
    {
        field->selectAll();
        QTest::keyClicks(field, keys);
    }
    xlsx::Sheet exported() const
    {
        return opener.opened.isEmpty() ? xlsx::Sheet{} : xlsx::read(opener.opened.last());
    }

    WorkDir wd;
    TDM1 dm;
    QWidget grid;
    RecordingOpener opener;
    ui::ScriptedDialogsGuard boxes;
    std::unique_ptr<TF_sm> F;
};

TEST(SelectMonthTest, FirstOpeningShowsTheWholeYearAndExportsIt)
{
    DialogFixture f;
    TF_sm& F = *f.F;
    EXPECT_EQ(F.windowTitle(), "Период");
    EXPECT_TRUE(F.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(F.size(), QSize(385, 426));
    EXPECT_EQ(F.pos(), QPoint(283, 146));
    EXPECT_EQ(F.BitBtn2->toolTip(), "Закрыть");

    const std::pair<QLabel*, const char*> labels[] = {
        {F.Label3, "Выберите период"}, {F.Label1, "c"}, {F.Label2, "по"}, {F.Label4, "месяц"},
        {F.Label5, "январь"},          {F.Label6, "-"}, {F.Label7, "декабрь"}};
    for (const auto& [label, text] : labels)
        EXPECT_EQ(label->text(), QString::fromUtf8(text));
    EXPECT_EQ(F.BitBtn1->text(), "Выбрать");
    EXPECT_EQ(F.Spe1->text(), "1");
    EXPECT_EQ(F.Spe2->text(), "12");
    EXPECT_EQ(F.Spe1->minimum(), 1);
    EXPECT_EQ(F.Spe2->maximum(), 12);

    F.show();
    QTest::mouseClick(F.BitBtn1, Qt::LeftButton);

    EXPECT_FALSE(F.isVisible());
    EXPECT_EQ(F.result(), QDialog::Accepted);
    const xlsx::Sheet sheet = f.exported();
    EXPECT_EQ(sheet.maxColumn, 17);
    EXPECT_EQ(sheet.text("F1"), "январь");
    EXPECT_EQ(sheet.text("Q1"), "декабрь");
    EXPECT_EQ(sheet.rows, 7);
    EXPECT_TRUE(f.grid.isVisible());
    EXPECT_TRUE(f.boxes.script.shown().empty());
}

TEST(SelectMonthTest, ChosenSpanIsExported)
{
    const struct {
        const char* from;
        const char* to;
        int columns;
        const char* firstHeading;
        const char* lastHeading;
    } cases[] = {
        {"5", "5", 6, "май", "май"},
        {"9", "10", 7, "сентябрь", "октябрь"},
        {"2", "11", 15, "февраль", "ноябрь"},
    };
    for (const auto& c : cases) {
        DialogFixture f(3);
        f.F->show();
        f.F->Spe1->setText(QString::fromLatin1(c.from));
        f.F->Spe2->setText(QString::fromLatin1(c.to));
        f.F->BitBtn1Click();
        EXPECT_FALSE(f.F->isVisible()) << c.from << ".." << c.to;
        ASSERT_EQ(f.opener.opened.size(), 1) << c.from << ".." << c.to;
        const xlsx::Sheet sheet = f.exported();
        EXPECT_EQ(sheet.maxColumn, c.columns) << c.from << ".." << c.to;
        EXPECT_EQ(sheet.text("F1"), QString::fromUtf8(c.firstHeading));
        EXPECT_EQ(sheet.text(xlsx::columnName(c.columns) + "1"), QString::fromUtf8(c.lastHeading));
    }
}

TEST(SelectMonthTest, ReversedSpanAsksAgainWithTheWholeYear)
{
    DialogFixture f;
    TF_sm& F = *f.F;
    F.show();
    F.Spe1->setText("11");
    F.Spe2->setText("3");
    EXPECT_EQ(F.Label5->text(), "ноябрь");
    EXPECT_EQ(F.Label7->text(), "март");
    f.boxes.script.expect(ScriptedDialogs::Kind::Message);

    QTest::mouseClick(F.BitBtn1, Qt::LeftButton);

    EXPECT_EQ(f.boxes.script.texts(), QStringList{"Задайте период правильно!"});
    EXPECT_EQ(F.Spe1->text(), "1");
    EXPECT_EQ(F.Spe2->text(), "12");
    EXPECT_EQ(F.Label5->text(), "январь");
    EXPECT_EQ(F.Label7->text(), "декабрь");
    EXPECT_TRUE(F.isVisible());
    EXPECT_TRUE(f.opener.opened.isEmpty());
}

TEST(SelectMonthTest, TypedMonthsOutsideTheYearComeBackToItsEnds)
{
    DialogFixture f;
    TF_sm& F = *f.F;
    F.show();
    const struct {
        output::SpinEdit* field;
        QLabel* label;
        const char* typed;
        const char* kept;
        const char* label_;
    } cases[] = {
        {F.Spe2, F.Label7, "13", "12", "декабрь"},
        {F.Spe1, F.Label5, "0", "1", "январь"},
        {F.Spe1, F.Label5, "40", "12", "декабрь"},
        {F.Spe2, F.Label7, "7", "7", "июль"},
    };
    for (const auto& c : cases) {
        f.retype(c.field, QString::fromLatin1(c.typed));
        EXPECT_EQ(c.field->text(), QString::fromLatin1(c.typed));
        if (c.typed != std::string_view(c.kept)) {
            EXPECT_EQ(c.label->text(), QString()) << c.typed;   // no such month while it stands
        }
        f.leave(c.field);
        EXPECT_EQ(c.field->text(), QString::fromLatin1(c.kept)) << c.typed;
        EXPECT_EQ(c.label->text(), QString::fromUtf8(c.label_)) << c.typed;
    }
}

TEST(SelectMonthTest, ArrowsStayInsideTheYearAndLettersAreRefused)
{
    DialogFixture f;
    TF_sm& F = *f.F;
    F.show();
    QTest::keyClick(F.Spe2, Qt::Key_Up);
    EXPECT_EQ(F.Spe2->text(), "12");
    QTest::keyClick(F.Spe2, Qt::Key_Down);
    EXPECT_EQ(F.Spe2->text(), "11");
    EXPECT_EQ(F.Label7->text(), "ноябрь");
    QTest::keyClick(F.Spe1, Qt::Key_Down);
    EXPECT_EQ(F.Spe1->text(), "1");
    QTest::keyClick(F.Spe1, Qt::Key_Up);
    EXPECT_EQ(F.Label5->text(), "февраль");

    QTest::keyClick(F.Spe1, Qt::Key_End);
    QTest::keyClicks(F.Spe1, "a");
    QTest::keyClick(F.Spe1, Qt::Key_Space);
    EXPECT_EQ(F.Spe1->text(), "2");
    EXPECT_TRUE(f.boxes.script.shown().empty());
}

TEST(SelectMonthTest, FieldThatIsNotANumberIsReportedAndExportsNothing)
{
    DialogFixture f;
    TF_sm& F = *f.F;
    F.show();
    f.boxes.script.expect(ScriptedDialogs::Kind::ApplicationError);
    F.Spe1->selectAll();
    QTest::keyClick(F.Spe1, Qt::Key_Backspace);
    ASSERT_EQ(f.boxes.script.shown().size(), 1u);
    EXPECT_TRUE(f.boxes.script.shown()[0].text.contains("целым числом"));
    EXPECT_EQ(F.Label5->text(), "январь");   // the label keeps its month

    f.boxes.script.expect(ScriptedDialogs::Kind::ApplicationError);
    F.BitBtn1Click();
    EXPECT_EQ(f.boxes.script.shown().size(), 2u);
    EXPECT_TRUE(F.isVisible());
    EXPECT_TRUE(f.opener.opened.isEmpty());
}

TEST(SelectMonthTest, EscapeClosesWithoutExportAndKeepsTheMonths)
{
    DialogFixture f;
    TF_sm& F = *f.F;
    F.show();
    F.Spe1->setText("4");
    F.Spe2->setText("6");
    QTest::keyClick(F.Spe2, Qt::Key_Escape);   // Esc from a field closes the dialog too
    EXPECT_FALSE(F.isVisible());
    EXPECT_EQ(F.result(), QDialog::Rejected);
    EXPECT_TRUE(f.opener.opened.isEmpty());

    F.show();
    EXPECT_EQ(F.Spe1->text(), "4");
    EXPECT_EQ(F.Spe2->text(), "6");
    EXPECT_EQ(F.Label5->text(), "апрель");
    EXPECT_EQ(F.Label7->text(), "июнь");
    F.BitBtn2->click();
    EXPECT_FALSE(F.isVisible());
    EXPECT_TRUE(f.opener.opened.isEmpty());
}

TEST(SelectMonthTest, PictureTilesFromTheTopLeftCorner)
{
    const struct {
        QSize picture;
        size_t tiles;
        QPoint last;
    } cases[] = {
        {{10, 10}, 39u * 43u, {380, 420}},
        {{500, 600}, 1u, {0, 0}},
        {{385, 426}, 4u, {385, 426}},
        {{0, 10}, 0u, {}},
    };
    for (const auto& c : cases) {
        const auto origins = output::TiledPicture::tileOrigins(QSize(385, 426), c.picture);
        ASSERT_EQ(origins.size(), c.tiles) << c.picture.width() << "x" << c.picture.height();
        if (!origins.empty()) {
            EXPECT_EQ(origins.front(), QPoint(0, 0));
            EXPECT_EQ(origins.back(), c.last);
        }
    }

    // A 10 x 10 picture of distinct pixels: the window's far corner shows the tile's pixel there.
    QImage tile(10, 10, QImage::Format_RGB32);
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 10; ++y)
            tile.setPixel(x, y, qRgb(20 * x, 20 * y, 100));
    DialogFixture f(1, tile);
    const QImage drawn = f.F->grab().toImage();
    EXPECT_EQ(drawn.pixel(384, 425), tile.pixel(4, 5));
    EXPECT_EQ(drawn.pixel(3, 3), tile.pixel(3, 3));
    EXPECT_TRUE(f.F->mask().isEmpty());
}

TEST(SelectMonthTest, WhitePixelsOfThePictureAreSeeThrough)
{
    // Left half exactly white, right half almost white.
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(qRgb(254, 255, 255));
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 40; ++y)
            picture.setPixel(x, y, qRgb(255, 255, 255));
    DialogFixture f(1, picture);
    const QRegion shape = f.F->mask();
    EXPECT_FALSE(shape.contains(QPoint(5, 5)));
    EXPECT_FALSE(shape.contains(QPoint(45, 405)));
    EXPECT_TRUE(shape.contains(QPoint(25, 5)));
    EXPECT_TRUE(shape.contains(QPoint(65, 405)));
    // The controls stay whole where they are not white.
    EXPECT_TRUE(shape.contains(f.F->Spe1->geometry().center()));
}

TEST(SelectMonthTest, MissingOrBrokenPictureGivesTheDrawnOne)
{
    const QByteArray contents[] = {QByteArray(), QByteArray("not a bitmap")};
    for (const QByteArray& bytes : contents) {
        WorkDir wd(1);
        QFile::remove(wd.file("bigs.bmp"));
        if (!bytes.isEmpty()) {
            QFile file(wd.file("bigs.bmp"));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        TDM1 dm;
        QWidget grid;
        ui::ScriptedDialogsGuard boxes;
        TF_sm F(dm, &grid);
        EXPECT_EQ(F.picture().image(), output::TiledPicture::builtIn());
        EXPECT_TRUE(boxes.script.shown().empty());
        EXPECT_TRUE(F.mask().isEmpty());   // nothing of the drawn picture is cut away
    }
}

} // namespace
