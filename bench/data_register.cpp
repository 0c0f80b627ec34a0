// The register's re-read, its commit cycle and its snapshot memory, each against a bare
// sqlite3_step loop over the same statement measured in the same run.
//
//   bench_data_register [--benchmark_repetitions=N]
//
// Counters: ratio = best elapsed time of the operation / that of the bare loop, ratio_cpu the
// same in processor time (budgets: re-read 1.5, commit 2); memory_ratio = snapshot bytes /
// bytes of its values (budget 2).

#include "data/Schema.h"
#include "data/U_dm.h"
#include "tools/DemoData.h"

#include <QTemporaryDir>
#include "BestOf.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <map>
#include <memory>
#include <sqlite3.h>
#include <time.h>

namespace {


const char* const kStatement = "select * from uchot order by uchot_ind";

// One demo database per register size, made once for the whole run.
class DemoFile {
public:
    static const DemoFile& of(int rows)
    {
        static std::map<int, std::unique_ptr<DemoFile>> files;
        auto& f = files[rows];
        if (!f)
            f.reset(new DemoFile(rows));
        return *f;
    }
    QString path() const { return dir_.filePath(QStringLiteral("db_Tavrel.mdb")); }
    QString connectionString() const { return QStringLiteral("Data Source=") + path(); }

private:
    explicit DemoFile(int rows)
    {
        data::createDatabase(path());
        tools::fillDemo(path(), rows);
    }
    QTemporaryDir dir_;
};

using bench::Best;
using bench::BestOf;

enum Kind { Reference, Reread, Commit };

// Best passes per register size and kind, shared between the benchmarks of a run.
std::map<std::pair<int, int>, Best>& bests()
{
    static std::map<std::pair<int, int>, Best> b;
    return b;
}

void report(benchmark::State& state, Kind kind, const BestOf& b)
{
    const int rows = int(state.range(0));
    auto& table = bests();
    Best& mine = table[{rows, kind}];
    mine.wall = std::min(mine.wall, b.result().wall);
    mine.cpu = std::min(mine.cpu, b.result().cpu);
    state.counters["best_ms"] = mine.wall * 1e3;
    state.counters["best_cpu_ms"] = mine.cpu * 1e3;
    const auto ref = table.find({rows, Reference});
    if (kind != Reference && ref != table.end()) {
        state.counters["ratio"] = mine.wall / ref->second.wall;
        state.counters["ratio_cpu"] = mine.cpu / ref->second.cpu;
    }
}

// (a) The bare loop: prepare, step through every row, read each column by its type.
void BM_BareStepLoop(benchmark::State& state)
{
    const DemoFile& file = DemoFile::of(int(state.range(0)));
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.path().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    BestOf b;
    int64_t rows = 0;
    for (auto _ : state) {
        b.start();
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, kStatement, -1, &st, nullptr);
        const int cols = sqlite3_column_count(st);
        int64_t sum = 0;
        rows = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int c = 0; c < cols; ++c) {
                switch (sqlite3_column_type(st, c)) {
                case SQLITE_INTEGER: sum += sqlite3_column_int64(st, c); break;
                case SQLITE_FLOAT: sum += int64_t(sqlite3_column_double(st, c)); break;
                case SQLITE_NULL: break;
                default:
                    sum += *sqlite3_column_text(st, c);
                    sum += sqlite3_column_bytes(st, c);
                    break;
                }
            }
            ++rows;
        }
        sqlite3_finalize(st);
        benchmark::DoNotOptimize(sum);
        b.stop();
    }
    sqlite3_close_v2(db);
    state.counters["rows"] = double(rows);
    report(state, Reference, b);
}

// (b) The register query's re-read as every filter, sort and search does it.
void BM_QuchotReread(benchmark::State& state)
{
    const DemoFile& file = DemoFile::of(int(state.range(0)));
    TDM1 dm(file.connectionString());
    BestOf b;
    for (auto _ : state) {
        b.start();
        dm.Quchot.close();
        dm.Quchot.setSql(QString::fromLatin1(kStatement));
        dm.Quchot.open();
        dm.Quchot.last();
        b.stop();
    }
    report(state, Reread, b);
    // (d) The snapshot's memory against the bytes of its values.
    state.counters["memory_MB"] = double(dm.Quchot.memoryBytes()) / 1e6;
    state.counters["values_MB"] = double(dm.Quchot.valueBytes()) / 1e6;
    state.counters["memory_ratio"] = double(dm.Quchot.memoryBytes()) / double(dm.Quchot.valueBytes());
}

// (c) One commit from the grid: edit a month, post; the after-post handling re-reads the
// register and locates the row.
void BM_CommitCycle(benchmark::State& state)
{
    const DemoFile& file = DemoFile::of(int(state.range(0)));
    TDM1 dm(file.connectionString());
    dm.Quchot.moveTo(dm.Quchot.recordCount() / 2);
    const qint32 key = dm.Quchot.asInt(QStringLiteral("uchot_N"));
    BestOf b;
    int n = 0;
    for (auto _ : state) {
        b.start();
        dm.Quchot.edit();
        dm.Quchot.setText(QStringLiteral("январь"), QString::number(n++ % 50));
        dm.Quchot.post();
        b.stop();
    }
    if (dm.Quchot.asInt(QStringLiteral("uchot_N")) != key)
        state.SkipWithError("the committed row is not current after the commit");
    report(state, Commit, b);
}

} // namespace

BENCHMARK(BM_BareStepLoop)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QuchotReread)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommitCycle)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
