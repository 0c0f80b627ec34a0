// The main window at 100,000 register rows, each figure as a ratio to a bare sqlite3_step loop
// reading the register's statement, measured in the same run:
//   start-up to the first painted grid, one Enter commit, one activation (its walks and the
//   refill of the filter boxes), one filter, one sort, and Down on a row that is not the last.
//
//   bench_mainwindow [--benchmark_min_time=...]

#include "app/U_gl.h"
#include "data/Schema.h"
#include "data/U_dm.h"
#include "tools/DemoData.h"
#include "ui/CompletingComboBox.h"
#include "ui/DBGrid.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <sqlite3.h>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRows = 100000;

QTemporaryDir* g_dir = nullptr;
double g_bare = 0;   // seconds, best pass of the bare loop

double bareRead()
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QDir(g_dir->path()).filePath(QStringLiteral("db_Tavrel.mdb")).toUtf8().constData(), &db,
                    SQLITE_OPEN_READONLY, nullptr);
    const auto t0 = Clock::now();
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "select * from uchot order by uchot_ind", -1, &st, nullptr);
    const int cols = sqlite3_column_count(st);
    size_t bytes = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < cols; ++c) {
            switch (sqlite3_column_type(st, c)) {
            case SQLITE_INTEGER: bytes += size_t(sqlite3_column_int64(st, c) & 1); break;
            case SQLITE_NULL: break;
            default:
                sqlite3_column_text(st, c);
                bytes += size_t(sqlite3_column_bytes(st, c));
            }
        }
    }
    sqlite3_finalize(st);
    const double s = std::chrono::duration<double>(Clock::now() - t0).count();
    sqlite3_close_v2(db);
    benchmark::DoNotOptimize(bytes);
    return s;
}

void report(benchmark::State& state, double seconds, int64_t passes)
{
    state.counters["ratio_to_bare_read"] = seconds / double(passes) / g_bare;
    state.counters["bare_read_ms"] = g_bare * 1000;
}

// One main window over the demo register, shared by the operations measured on it.
struct Window {
    Window()
        : gl(QDir(g_dir->path()).filePath(QStringLiteral("uchet.INI")))
    {
        gl.attachData(dm);
        gl.resize(1100, 700);
        gl.show();
        gl.FormActivate();
        gl.DBGrid1->viewport()->grab();
    }
    TF_gl gl;
    TDM1 dm;
};

Window& window()
{
    static Window w;
    return w;
}

void BM_BareRead(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(bareRead());
}

void BM_StartupToFirstPaint(benchmark::State& state)
{
    double total = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        {
            TF_gl gl(QDir(g_dir->path()).filePath(QStringLiteral("uchet.INI")));
            TDM1 dm;
            gl.attachData(dm);
            gl.resize(1100, 700);
            gl.show();
            gl.FormActivate();
            benchmark::DoNotOptimize(gl.DBGrid1->viewport()->grab());
            total += std::chrono::duration<double>(Clock::now() - t0).count();
            gl.hide();
        }
    }
    report(state, total, state.iterations());
}

void BM_EnterCommit(benchmark::State& state)
{
    Window& w = window();
    double total = 0;
    int v = 0;
    for (auto _ : state) {
        w.dm.Quchot.last();
        w.dm.Quchot.edit();
        w.dm.Quchot.setInt(QStringLiteral("март"), ++v % 50);
        const auto t0 = Clock::now();
        w.gl.DBGrid1KeyDown(Qt::Key_Return);
        benchmark::DoNotOptimize(w.gl.DBGrid1->viewport()->grab());
        total += std::chrono::duration<double>(Clock::now() - t0).count();
    }
    report(state, total, state.iterations());
}

void BM_Activation(benchmark::State& state)
{
    Window& w = window();
    double total = 0;
    for (auto _ : state) {
        w.dm.Quchot.first();
        const auto t0 = Clock::now();
        w.gl.FormActivate();
        benchmark::DoNotOptimize(w.gl.DBGrid1->viewport()->grab());
        total += std::chrono::duration<double>(Clock::now() - t0).count();
    }
    report(state, total, state.iterations());
}

void BM_FilterBySupplier(benchmark::State& state)
{
    Window& w = window();
    double total = 0;
    for (auto _ : state) {
        w.gl.CBpost->setText(w.gl.CBpost->items().value(0));
        const auto t0 = Clock::now();
        w.gl.CBpostChange();
        benchmark::DoNotOptimize(w.gl.DBGrid1->viewport()->grab());
        total += std::chrono::duration<double>(Clock::now() - t0).count();
    }
    report(state, total, state.iterations());
}

void BM_SortByName(benchmark::State& state)
{
    Window& w = window();
    double total = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        w.gl.N12Click();
        benchmark::DoNotOptimize(w.gl.DBGrid1->viewport()->grab());
        total += std::chrono::duration<double>(Clock::now() - t0).count();
    }
    report(state, total, state.iterations());
}

void BM_DownOnAMiddleRow(benchmark::State& state)
{
    Window& w = window();
    double total = 0;
    for (auto _ : state) {
        w.dm.Quchot.moveTo(kRows / 2);
        const auto t0 = Clock::now();
        w.gl.DBGrid1KeyDown(Qt::Key_Down);   // the window's check, then the grid's own move
        w.dm.Quchot.next();
        total += std::chrono::duration<double>(Clock::now() - t0).count();
    }
    report(state, total, state.iterations());
}

BENCHMARK(BM_BareRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_EnterCommit)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_Activation)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_FilterBySupplier)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_SortByName)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_DownOnAMiddleRow)->Unit(benchmark::kMillisecond)->Iterations(100);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    QDir::setCurrent(dir.path());
    const QString db = QDir(dir.path()).filePath(QStringLiteral("db_Tavrel.mdb"));
    data::createDatabase(db);
    tools::fillDemo(db, kRows);
    g_bare = 1e300;
    for (int i = 0; i < 5; ++i)
        g_bare = std::min(g_bare, bareRead());

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
