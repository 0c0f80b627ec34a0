#include "Fixtures.h"

#include "settings/Cp1251.h"

#include <QFile>
#include <gtest/gtest.h>

std::unique_ptr<ui::DBGrid> makeRegisterGrid()
{
    const char16_t* const fields[] = {
        u"uchot_N", u"uchot_ind", u"post_name", u"uchot_god", u"naim_name", u"type_name",
        u"uchot_cena", u"uchot_sredm", u"январь", u"февраль", u"март", u"апрель", u"май",
        u"июнь", u"июль", u"август", u"сентябрь", u"октябрь", u"ноябрь", u"декабрь",
    };
    std::vector<ui::GridColumn> columns;
    for (const char16_t* f : fields) {
        ui::GridColumn c;
        c.fieldName = QString::fromUtf16(f);
        c.title = c.fieldName;
        c.widthChars = 6;
        columns.push_back(c);
    }
    columns[0].visible = false;
    auto grid = std::make_unique<ui::DBGrid>();
    grid->setColumns(columns);
    return grid;
}

QString visibility(const ui::DBGrid& grid)
{
    QString s;
    for (int pos = 1; pos < grid.columnCount(); ++pos)
        s += grid.isColumnVisible(pos) ? u'1' : u'0';
    return s;
}

void writeFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray readFileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QStringList sectionLines(const QString& path, const QString& section)
{
    QStringList out;
    bool inside = false;
    const QString text = settings::decodeCp1251(readFileBytes(path));
    for (const QString& raw : text.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[')) {
            inside = line.compare(u'[' + section + u']', Qt::CaseInsensitive) == 0;
            continue;
        }
        if (inside && line.contains(u'='))
            out << line;
    }
    return out;
}
