// The workbook export of the whole register, January to December, against a bare libxlsxwriter
// loop writing the same cells (same kinds, same format, same widths, same workbook options)
// from values read beforehand, measured in the same run.
//
//   bench_export [--benchmark_repetitions=N]
//
// Counters: ratio = best elapsed time of the export / that of the bare loop, ratio_cpu the same
// in processor time (budget 2).

#include "data/U_dm.h"
#include "output/CellNumber.h"
#include "output/ExcelExport.h"
#include "output/MonthName.h"
#include "tools/DemoData.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include "BestOf.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <time.h>
#include <variant>
#include <vector>
#include <xlsxwriter.h>

namespace {

constexpr int registerRows = 100000;
using Clock = std::chrono::steady_clock;

using bench::Best;
using bench::BestOf;

enum Kind { Reference, Export };

std::map<int, Best>& bests()
{
    static std::map<int, Best> b;
    return b;
}

void report(benchmark::State& state, Kind kind, const BestOf& b)
{
    Best& mine = bests()[kind];
    mine.wall = std::min(mine.wall, b.result().wall);
    mine.cpu = std::min(mine.cpu, b.result().cpu);
    state.counters["best_ms"] = mine.wall * 1e3;
    state.counters["best_cpu_ms"] = mine.cpu * 1e3;
    const auto ref = bests().find(Reference);
    if (kind != Reference && ref != bests().end()) {
        state.counters["ratio"] = mine.wall / ref->second.wall;
        state.counters["ratio_cpu"] = mine.cpu / ref->second.cpu;
    }
}

// The working folder with the demo register, open in the data module, made once.
class Register {
public:
    static Register& get()
    {
        static Register r;
        return r;
    }
    QString outFolder() const { return dir_.filePath(QStringLiteral("out")); }
    TDM1& dm() { return *dm_; }

private:
    Register()
    {
        QDir::setCurrent(dir_.path());
        tools::fillDemo(tools::makeWorkingFolder(dir_.path()), registerRows);
        dm_ = std::make_unique<TDM1>();
        QDir().mkpath(outFolder());
    }
    QTemporaryDir dir_;
    std::unique_ptr<TDM1> dm_;
};

class NoOpener : public output::WorkbookOpener {
public:
    bool open(const QString&) override { return true; }
};

void clearFolder(const QString& folder)
{
    QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden))
        dir.remove(name);
}

// (a) The bare loop: every cell already typed and encoded, written straight into the sheet.
using Value = std::variant<std::monostate, double, std::string>;

std::vector<Value> sameCells(data::Dataset& q)
{
    QStringList fields = {"post_name", "naim_name", "uchot_cena", "uchot_sredm"};
    for (int m = 1; m <= 12; ++m)
        fields << output::MonthName(m);
    std::vector<Value> cells;
    cells.reserve(size_t(q.recordCount() + 1) * 17);
    auto add = [&cells](const QString& text) {
        if (text.isEmpty())
            cells.emplace_back();
        else if (const auto n = output::CellNumber(text))
            cells.emplace_back(*n);
        else
            cells.emplace_back(text.toStdString());
    };
    for (const char* h : {"№", "Поставщик", "Наименование", "Учётная цена", "Ср. расход в мес."})
        add(QString::fromUtf8(h));
    for (int m = 1; m <= 12; ++m)
        add(output::MonthName(m));
    for (int r = 0; r < q.recordCount(); ++r) {
        add(QString::number(r + 1));
        for (const QString& f : fields)
            add(q.text(r, q.fieldIndex(f)));
    }
    return cells;
}

void BM_BareLibxlsxwriter(benchmark::State& state)
{
    Register& reg = Register::get();
    const std::vector<Value> cells = sameCells(reg.dm().Quchot);
    const QByteArray path = QDir(reg.outFolder()).filePath(QStringLiteral("bare.xlsx")).toUtf8();
    QByteArray tmp = reg.outFolder().toUtf8();
    const double widths[] = {5.5, 20, 30, 12.3, 16.6, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10};
    BestOf b;
    for (auto _ : state) {
        b.start();
        lxw_workbook_options options{};
        options.constant_memory = LXW_TRUE;
        options.tmpdir = tmp.data();
        lxw_workbook* book = workbook_new_opt(path.constData(), &options);
        lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
        lxw_format* format = workbook_add_format(book);
        format_set_align(format, LXW_ALIGN_CENTER);
        format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
        format_set_text_wrap(format);
        for (lxw_col_t c = 0; c < 17; ++c)
            worksheet_set_column(sheet, c, c, widths[c], nullptr);
        for (size_t i = 0; i < cells.size(); ++i) {
            const auto row = lxw_row_t(i / 17);
            const auto col = lxw_col_t(i % 17);
            if (const double* d = std::get_if<double>(&cells[i]))
                worksheet_write_number(sheet, row, col, *d, format);
            else if (const std::string* s = std::get_if<std::string>(&cells[i]))
                worksheet_write_string(sheet, row, col, s->c_str(), format);
            else
                worksheet_write_blank(sheet, row, col, format);
        }
        if (workbook_close(book) != LXW_NO_ERROR)
            state.SkipWithError("bare workbook not written");
        b.stop();
        state.PauseTiming();
        clearFolder(reg.outFolder());
        state.ResumeTiming();
    }
    report(state, Reference, b);
}
BENCHMARK(BM_BareLibxlsxwriter)->Unit(benchmark::kMillisecond)->Iterations(3);

// (b) The export as the month dialog runs it: whole register, January to December.
void BM_ExportJanuaryToDecember(benchmark::State& state)
{
    Register& reg = Register::get();
    QWidget grid;
    grid.show();
    NoOpener opener;
    output::ExcelExport exporter;
    exporter.setFolder(reg.outFolder());
    exporter.setOpener(&opener);
    BestOf b;
    for (auto _ : state) {
        b.start();
        exporter.ExportMonthSpan(&grid, reg.dm().Quchot, 1, 12);
        b.stop();
        state.PauseTiming();
        if (exporter.lastWorkbook().isEmpty())
            state.SkipWithError("workbook not written");
        clearFolder(reg.outFolder());
        state.ResumeTiming();
    }
    grid.close();
    report(state, Export, b);
}
BENCHMARK(BM_ExportJanuaryToDecember)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    const auto start = Clock::now();
    Register::get();
    std::fprintf(stderr, "register of %d rows made in %.1f s\n", registerRows,
                 std::chrono::duration<double>(Clock::now() - start).count());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
