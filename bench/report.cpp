// The report preview over a register of 100,000 rows (about 4,760 pages): the time from the
// command to the first page on screen, against painting one page into a picture, and the memory
// the open preview holds while the user pages through it.
//
//   cmake -S . -B build-d-bench -DCMAKE_BUILD_TYPE=Release -DUCHET_BENCH=ON -DUCHET_TESTS=OFF
//   cmake --build build-d-bench --target bench_report && build-d-bench/bench/bench_report

#include "data/U_dm.h"
#include "output/ReportPageView.h"
#include "output/ReportPainter.h"
#include "output/ReportPreview.h"
#include "output/U_rep.h"
#include "tools/DemoData.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

constexpr int registerRows = 100000;

// Resident memory of the process, in bytes.
double residentBytes()
{
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return double(resident) * double(sysconf(_SC_PAGESIZE));
}

// One working folder with the demo register, the data module and the report form, made once.
struct Register {
    QTemporaryDir dir;
    std::unique_ptr<TDM1> dm;
    std::unique_ptr<TF_QRep> rep;

    Register()
    {
        QDir::setCurrent(dir.path());
        tools::fillDemo(tools::makeWorkingFolder(dir.path()), registerRows);
        dm = std::make_unique<TDM1>();
        rep = std::make_unique<TF_QRep>(dm->Quchot);
    }
    static std::unique_ptr<Register>& instance()
    {
        static std::unique_ptr<Register> r;
        return r;
    }
    static Register& get()
    {
        if (!instance())
            instance() = std::make_unique<Register>();
        return *instance();
    }
};

// Lets the window system deliver what showing and paging asked for, until the page view has
// painted a page it had not painted before: the page is then on screen.
void waitForPicture(output::ReportPageView& view, int before)
{
    while (view.renderCount() == before)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// The preview's work up to its first page on screen: walking the register, showing the window
// and painting page 1 at the zoom the window opens with.
void BM_PreviewFirstPage(benchmark::State& state)
{
    Register& r = Register::get();
    output::ReportPreview& preview = r.rep->preview();
    for (auto _ : state) {
        const int before = preview.pageView()->renderCount();
        preview.showReport(r.rep->prepare());
        waitForPicture(*preview.pageView(), before);
        state.PauseTiming();
        preview.close();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["pages"] = double(output::ReportPagination(r.dm->Quchot.recordCount()).pageCount());
}
BENCHMARK(BM_PreviewFirstPage)->Unit(benchmark::kMillisecond)->Iterations(5);

// Only the walk of the register into the report's rows.
void BM_PrepareRows(benchmark::State& state)
{
    Register& r = Register::get();
    for (auto _ : state) {
        auto report = r.rep->prepare();
        benchmark::DoNotOptimize(report->pageCount());
    }
}
BENCHMARK(BM_PrepareRows)->Unit(benchmark::kMillisecond)->Iterations(5);

// The reference: one page painted into a picture the size the preview shows it at 100%.
void BM_OnePageToImage(benchmark::State& state)
{
    Register& r = Register::get();
    const auto report = r.rep->prepare();
    const int dpi = r.rep->preview().pageView()->logicalDpiX();
    QImage image(int(297 / 25.4 * dpi), int(210 / 25.4 * dpi), QImage::Format_RGB32);
    image.setDotsPerMeterX(int(dpi / 0.0254));
    image.setDotsPerMeterY(int(dpi / 0.0254));
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter p(&image);
        report->paintPage(p, 1);
    }
}
BENCHMARK(BM_OnePageToImage)->Unit(benchmark::kMillisecond);

// Memory while paging: the open preview after its first page, and after 500 more pages shown.
void BM_PreviewMemoryWhilePaging(benchmark::State& state)
{
    Register& r = Register::get();
    output::ReportPreview& preview = r.rep->preview();
    for (auto _ : state) {
        const double before = residentBytes();
        const int firstPicture = preview.pageView()->renderCount();
        preview.showReport(r.rep->prepare());
        waitForPicture(*preview.pageView(), firstPicture);
        const double opened = residentBytes();
        for (int i = 0; i < 500; ++i) {
            const int shown = preview.pageView()->renderCount();
            preview.goToPage(i * 9 + 1);
            waitForPicture(*preview.pageView(), shown);
        }
        const double paged = residentBytes();
        state.counters["opened_MB"] = (opened - before) / 1e6;
        state.counters["paged_500_MB"] = (paged - opened) / 1e6;
        state.counters["picture_MB"] = double(preview.pageView()->cacheBytes()) / 1e6;
        state.counters["pictures"] = double(preview.pageView()->renderCount());
        preview.close();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_PreviewMemoryWhilePaging)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const auto start = std::chrono::steady_clock::now();
    Register::get();
    std::fprintf(stderr, "register of %d rows made in %.1f s\n", registerRows,
                 std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Register::instance().reset();
    return 0;
}
