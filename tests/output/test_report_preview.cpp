// The preview window: opened by the report form, non-modal, page by page, printing and PDF.

#include "test_report_fixture.h"
#include "test_report_pdf.h"

#include "output/ReportPageView.h"
#include "output/ReportPainter.h"
#include "output/ReportPreview.h"
#include "output/ReportPreviewChoices.h"
#include "ui/ScriptedDialogs.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Answers the print and file dialogs as a test arranges.
struct ScriptedChoices : output::ReportPreviewChoices {
    QString printTo;            // empty: the print dialog is cancelled
    int fromPage = 0;           // 1-based page range, 0: all pages
    int toPage = 0;
    QString pdfPath;            // empty: the file dialog is cancelled
    int printerAsked = 0;
    QPageLayout offeredLayout;

    bool choosePrinter(QPrinter& printer, QWidget*) override
    {
        ++printerAsked;
        offeredLayout = printer.pageLayout();
        if (printTo.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printTo);
        if (fromPage > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(fromPage, toPage);
        }
        return true;
    }
    QString choosePdfFile(QWidget*, const QString&) override { return pdfPath; }
};

// Runs the report form's Preview() and, inside it, the test's steps; the preview is closed
// afterwards whatever the steps did, so Preview() returns.
void whilePreviewOpen(TF_QRep& rep, const std::function<void(output::ReportPreview&)>& steps)
{
    bool ran = false;
    QTimer::singleShot(0, &rep, [&] {
        struct Closer {
            TF_QRep& rep;
            ~Closer() { rep.closePreview(); }
        } closer{rep};
        ran = true;
        steps(rep.preview());
    });
    rep.Preview();
    EXPECT_TRUE(ran);
    EXPECT_FALSE(rep.preview().isVisible());
    EXPECT_FALSE(rep.isPreviewOpen());
}

} // namespace

TEST(ReportPreview, OpensBesideTheMainWindowAndReturnsWhenClosed)
{
    ReportFixture f(19);
    f.dm->Quchot.first();
    whilePreviewOpen(*f.rep, [&](output::ReportPreview& preview) {
        EXPECT_TRUE(preview.isVisible());
        EXPECT_FALSE(preview.isModal());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(preview.pageCount(), 2);
        EXPECT_EQ(preview.currentPage(), 0);
        EXPECT_EQ(f.dm->Quchot.currentRow(), 18);   // built by walking to the last row

        // Asked again while open, the command brings the preview forward and does not wait.
        f.rep->Preview();
        EXPECT_TRUE(preview.isVisible());
    });
    EXPECT_EQ(f.dm->Quchot.currentRow(), 18);
    EXPECT_EQ(f.rep->preview().report(), nullptr);   // the closed preview lets go of the rows
}

TEST(ReportPreview, KeepsItsRowsWhileTheRegisterChangesAndRebuildsNextTime)
{
    ReportFixture f(3);
    whilePreviewOpen(*f.rep, [&](output::ReportPreview& preview) {
        f.dm->Quchot.first();
        f.dm->Quchot.edit();
        f.dm->Quchot.setText(QStringLiteral("naim_name"), QStringLiteral("Фреза"));
        f.dm->Quchot.post();
        EXPECT_EQ(preview.report()->rows().value(0, 0).toString(), ReportFixture::name(1));
    });
    whilePreviewOpen(*f.rep, [&](output::ReportPreview& preview) {
        EXPECT_EQ(preview.report()->rows().value(0, 0).toString(), QStringLiteral("Фреза"));
    });
}

TEST(ReportPreview, PaintsOnlyThePagesShownAndKeepsOnePicture)
{
    ReportFixture f(40);
    whilePreviewOpen(*f.rep, [&](output::ReportPreview& preview) {
        output::ReportPageView& view = *preview.pageView();
        ASSERT_EQ(preview.pageCount(), 3);
        view.grab();
        const int first = view.renderCount();
        EXPECT_GE(first, 1);
        const qint64 oneMoment = view.cacheBytes();

        struct Step {
            std::function<void()> act;
            int page;
            int newPictures;
        };
        const Step steps[] = {
            {[&] { preview.nextPage(); }, 1, 1},
            {[&] { preview.nextPage(); }, 2, 1},
            {[&] { preview.nextPage(); }, 2, 0},     // past the last page: stays
            {[&] { view.update(); }, 2, 0},          // repainting the same page reuses its picture
            {[&] { preview.firstPage(); }, 0, 1},
            {[&] { preview.priorPage(); }, 0, 0},
            {[&] { preview.lastPage(); }, 2, 1},
            {[&] { preview.goToPage(1); }, 1, 1},
        };
        int pictures = view.renderCount();
        for (const Step& s : steps) {
            s.act();
            view.grab();
            EXPECT_EQ(preview.currentPage(), s.page);
            EXPECT_EQ(view.renderCount() - pictures, s.newPictures);
            pictures = view.renderCount();
            EXPECT_EQ(view.cacheBytes(), oneMoment);
        }

        preview.setZoomMode(output::ReportPreview::ZoomMode::Factor, 2.0);
        EXPECT_NEAR(view.zoom(), 2.0, 1e-9);
        preview.zoomOut();
        EXPECT_NEAR(view.zoom(), 1.5, 1e-9);
        preview.zoomIn();
        EXPECT_NEAR(view.zoom(), 2.0, 1e-9);
        view.grab();
        EXPECT_EQ(view.renderCount() - pictures, 1);
        EXPECT_EQ(view.size(), view.pageSizeAt(2.0));
        EXPECT_EQ(view.pageSizeAt(2.0).width(), qRound(297 / 25.4 * view.logicalDpiX() * 2.0));

        preview.setZoomMode(output::ReportPreview::ZoomMode::WholePage);
        EXPECT_LE(view.height(), preview.height());
    });
}

TEST(ReportPreview, SavesAndPrintsThroughTheChosenTargets)
{
    ReportFixture f(40);
    ScriptedChoices choices;
    f.rep->preview().setChoices(&choices);
    struct Case {
        const char* what;
        int from;
        int to;
        int pages;
    };
    const Case printCases[] = {{"all pages", 0, 0, 3}, {"pages 2 to 3", 2, 3, 2}};

    whilePreviewOpen(*f.rep, [&](output::ReportPreview& preview) {
        choices.pdfPath = f.dir.file(QStringLiteral("saved.pdf"));
        EXPECT_TRUE(preview.savePdf());
        EXPECT_EQ(readPdfInfo(choices.pdfPath).pages, 3);

        for (const Case& c : printCases) {
            SCOPED_TRACE(c.what);
            choices.printTo = f.dir.file(QStringLiteral("printed-%1.pdf").arg(c.from));
            choices.fromPage = c.from;
            choices.toPage = c.to;
            EXPECT_TRUE(preview.printReport());
            const PdfInfo info = readPdfInfo(choices.printTo);
            EXPECT_EQ(info.pages, c.pages);
            EXPECT_NEAR(info.widthMm, 297.0, 0.5);
            EXPECT_NEAR(info.heightMm, 210.0, 0.5);
            // The text stands where the saved PDF has it: the printer paints from the paper's corner too.
            const auto printed = readPdfWords(choices.printTo);
            const auto saved = readPdfWords(choices.pdfPath);
            const auto p = findWord(printed, 0, ReportFixture::name(c.from > 0 ? 19 : 1));
            const auto s = findWord(saved, c.from > 0 ? 1 : 0, ReportFixture::name(c.from > 0 ? 19 : 1));
            ASSERT_TRUE(p && s);
            EXPECT_NEAR(p->left, s->left, 0.2);
            EXPECT_NEAR(p->top, s->top, 0.2);
        }
        EXPECT_EQ(choices.offeredLayout.pageSize().id(), QPageSize::A4);
        EXPECT_EQ(choices.offeredLayout.orientation(), QPageLayout::Landscape);
    });
    f.rep->preview().setChoices(nullptr);
}

TEST(ReportPreview, CancelledOrFailedOutputLeavesNoFile)
{
    ReportFixture f(3);
    ScriptedChoices choices;
    f.rep->preview().setChoices(&choices);
    ui::ScriptedDialogsGuard boxes;

    whilePreviewOpen(*f.rep, [&](output::ReportPreview& preview) {
        // Cancelled dialogs: no box, no file.
        EXPECT_FALSE(preview.printReport());
        EXPECT_EQ(choices.printerAsked, 1);
        EXPECT_FALSE(preview.savePdf());
        EXPECT_TRUE(boxes.script.shown().empty());

        // A folder that is not there: an error box naming the file, and nothing written.
        choices.pdfPath = f.dir.file(QStringLiteral("нет/отчёт.pdf"));
        boxes.script.expect(ui::ScriptedDialogs::Kind::Error);
        EXPECT_FALSE(preview.savePdf());
        ASSERT_EQ(boxes.script.shown().size(), 1u);
        EXPECT_EQ(boxes.script.shown()[0].title, QStringLiteral("Ошибка"));
        EXPECT_TRUE(boxes.script.shown()[0].text.contains(QStringLiteral("отчёт.pdf")));
        EXPECT_FALSE(QFileInfo::exists(choices.pdfPath));

        // An existing file is replaced whole.
        choices.pdfPath = f.dir.file(QStringLiteral("old.pdf"));
        {
            QFile old(choices.pdfPath);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly));
            old.write("not a pdf");
        }
        EXPECT_TRUE(preview.savePdf());
        EXPECT_EQ(readPdfInfo(choices.pdfPath).pages, 1);
    });
    EXPECT_TRUE(boxes.script.allAnswered());
    f.rep->preview().setChoices(nullptr);
}
