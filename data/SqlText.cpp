#include "data/SqlText.h"

#include <QRegularExpression>
#include <cmath>

namespace data {

QString sqlQuoted(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + out + QLatin1Char('\'');
}

QString sqlNumber(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    // 'g' with 15 digits never shows a grouping separator and always uses a full stop.
    return QString::number(value, 'g', 15);
}

QString sqlNumber(qint64 value)
{
    return QString::number(value);
}

namespace {

bool isIdentChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// Index just past the string literal that starts at i (which holds an apostrophe).
int skipLiteral(const QString& s, int i)
{
    ++i;
    while (i < s.size()) {
        if (s[i] == QLatin1Char('\'')) {
            if (i + 1 < s.size() && s[i + 1] == QLatin1Char('\'')) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return i;
}

} // namespace

QString adaptStatement(const QString& sql)
{
    static const QRegularExpression head(QStringLiteral("^\\s*update\\s+([^\\s]+)\\s+set\\s"),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto m = head.match(sql);
    if (!m.hasMatch())
        return sql;
    const QString table = m.captured(1);
    const QString prefix = table + QLatin1Char('.');

    // Walk the SET list: a target stands at the start of the list and after every comma
    // outside a literal; drop "table." in front of it.
    QString out = sql.left(m.capturedEnd(0));
    int i = m.capturedEnd(0);
    bool atTarget = true;
    while (i < sql.size()) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'')) {
            const int end = skipLiteral(sql, i);
            out += sql.mid(i, end - i);
            i = end;
            atTarget = false;
            continue;
        }
        if (atTarget && !c.isSpace()) {
            if (sql.mid(i, prefix.size()).compare(prefix, Qt::CaseInsensitive) == 0)
                i += prefix.size();
            atTarget = false;
            continue;
        }
        if (c == QLatin1Char(','))
            atTarget = true;
        else if (!atTarget && isIdentChar(c)) {
            // A WHERE ends the SET list; leave the rest as it stands.
            if (sql.mid(i, 5).compare(QLatin1String("where"), Qt::CaseInsensitive) == 0
                && (i == 0 || !isIdentChar(sql[i - 1]))
                && (i + 5 >= sql.size() || !isIdentChar(sql[i + 5]))) {
                out += sql.mid(i);
                return out;
            }
        }
        out += c;
        ++i;
    }
    return out;
}

QString statementTable(const QString& sql)
{
    static const QRegularExpression from(QStringLiteral("\\bfrom\\s+([^\\s;,()]+)"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression update(QStringLiteral("^\\s*update\\s+([^\\s;]+)"),
                                           QRegularExpression::CaseInsensitiveOption);
    auto m = from.match(sql);
    if (m.hasMatch())
        return m.captured(1);
    m = update.match(sql);
    return m.hasMatch() ? m.captured(1) : QString();
}

} // namespace data
