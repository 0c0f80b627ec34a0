// LIKE that folds case for every alphabet. SQLite's own folds ASCII only, so a clerk's
// "сВЕРЛО" would find nothing; this one replaces it on every connection of the program.

#include "data/Connection.h"

#include <QString>
#include <sqlite3.h>

namespace data {

namespace {

// Classic LIKE matching: '%' any run, '_' any one character, esc makes the next one literal.
bool likeMatch(const QString& pat, int p, const QString& str, int s, QChar esc)
{
    while (p < pat.size()) {
        const QChar c = pat[p];
        if (c == QLatin1Char('%')) {
            while (p < pat.size() && pat[p] == QLatin1Char('%'))
                ++p;
            if (p == pat.size())
                return true;
            for (int k = s; k <= str.size(); ++k)
                if (likeMatch(pat, p, str, k, esc))
                    return true;
            return false;
        }
        if (s >= str.size())
            return false;
        if (c == QLatin1Char('_') && c != esc) {
            ++p;
            ++s;
            continue;
        }
        QChar lit = c;
        if (!esc.isNull() && c == esc && p + 1 < pat.size())
            lit = pat[++p];
        if (lit != str[s])
            return false;
        ++p;
        ++s;
    }
    return s == str.size();
}

QString argText(sqlite3_value* v)
{
    const auto* t = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return QString::fromUtf8(t, sqlite3_value_bytes(v));
}

void likeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    }
    QChar esc;
    if (argc == 3) {
        const QString e = argText(argv[2]);
        if (e.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        esc = e[0];
    }
    const QString pattern = argText(argv[0]).toCaseFolded();
    const QString text = argText(argv[1]).toCaseFolded();
    sqlite3_result_int(ctx, likeMatch(pattern, 0, text, 0, esc) ? 1 : 0);
}

} // namespace

void registerFunctions(sqlite3* db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(db, "like", 2, flags, nullptr, likeFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "like", 3, flags, nullptr, likeFunction, nullptr, nullptr, nullptr);
}

} // namespace data
