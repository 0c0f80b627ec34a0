#pragma once

#include <QFile>
#include <QString>
#include <atomic>
#include <optional>
#include <sqlite3.h>
#include <thread>

// Another program writing to a database file while a test works on it: one register row per
// transaction ('запись n', uchot_ind 100000 + n), counting the rows it has committed. It runs
// until stop() and is waited for there (or on destruction).
class RowWriter {
public:
    explicit RowWriter(const QString& path, std::optional<int> price = std::nullopt)
        : thread_([this, path, price] { run(path, price); })
    {
    }
    ~RowWriter() { stop(); }

    // Returns once the writer has committed at least n rows.
    void waitFor(int n) const
    {
        while (committed_.load() < n)
            std::this_thread::yield();
    }
    int committed() const { return committed_.load(); }
    void stop()
    {
        stop_.store(true);
        if (thread_.joinable())
            thread_.join();
    }

private:
    void run(const QString& path, std::optional<int> price)
    {
        sqlite3* db = nullptr;
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(db, 10000);
        int n = 0;
        while (!stop_.load()) {
            const QString sql = price ? QStringLiteral("INSERT INTO uchot (naim_name, uchot_ind, uchot_cena) "
                                                       "VALUES ('запись %1', %2, %3)")
                                            .arg(n)
                                            .arg(100000 + n)
                                            .arg(*price)
                                      : QStringLiteral("INSERT INTO uchot (naim_name, uchot_ind) VALUES ('запись %1', %2)")
                                            .arg(n)
                                            .arg(100000 + n);
            if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK)
                committed_.store(++n);
        }
        sqlite3_close_v2(db);
    }

    std::atomic<bool> stop_{false};
    std::atomic<int> committed_{0};
    std::thread thread_;
};
