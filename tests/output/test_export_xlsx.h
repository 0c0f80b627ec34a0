#pragma once

// Reads a written workbook back: the first sheet's cells with their kind and style, the column
// widths, the alignment of each cell style, and the shared strings when there are any.

#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>
#include <vector>

namespace xlsx {

struct Cell {
    QString kind;    // "n" number, "str" text, "blank"
    QString value;   // the number as written, or the text
    int style = 0;
};

struct Column {
    int min = 0;
    int max = 0;
    double width = 0;
};

struct Style {
    QString horizontal;
    QString vertical;
    bool wrap = false;
    bool shrink = false;
    int indent = 0;
    int rotation = 0;
};

struct Sheet {
    QMap<QString, Cell> cells;   // by reference, "A1"
    std::vector<Column> columns;
    std::vector<Style> styles;
    int rows = 0;                // the highest row with a cell
    int maxColumn = 0;           // the highest column with a cell, 1 = A

    const Cell* at(const QString& ref) const
    {
        auto it = cells.constFind(ref);
        return it == cells.constEnd() ? nullptr : &it.value();
    }
    QString text(const QString& ref) const
    {
        const Cell* c = at(ref);
        return c ? c->value : QString();
    }
    double widthOf(int column) const
    {
        for (const Column& c : columns)
            if (column >= c.min && column <= c.max)
                return c.width;
        return -1;
    }
    int columnsInRow(int row) const
    {
        int n = 0;
        for (auto it = cells.cbegin(); it != cells.cend(); ++it)
            if (rowOf(it.key()) == row)
                ++n;
        return n;
    }
    static int rowOf(const QString& ref)
    {
        int i = 0;
        while (i < ref.size() && ref[i].isLetter())
            ++i;
        return ref.mid(i).toInt();
    }
    static int columnOf(const QString& ref)
    {
        int n = 0;
        for (QChar c : ref) {
            if (!c.isLetter())
                break;
            n = n * 26 + (c.unicode() - 'A' + 1);
        }
        return n;
    }
};

inline QByteArray part(const QString& file, const QString& name)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, name});
    unzip.waitForFinished(-1);
    return unzip.exitCode() == 0 ? unzip.readAllStandardOutput() : QByteArray();
}

inline QStringList sharedStrings(const QByteArray& xml)
{
    QStringList out;
    QXmlStreamReader r(xml);
    QString current;
    bool inSi = false;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"si") {
            inSi = true;
            current.clear();
        } else if (r.isStartElement() && r.name() == u"t" && inSi) {
            current += r.readElementText();
        } else if (r.isEndElement() && r.name() == u"si") {
            out << current;
            inSi = false;
        }
    }
    return out;
}

inline std::vector<Style> styles(const QByteArray& xml)
{
    std::vector<Style> out;
    QXmlStreamReader r(xml);
    bool inXfs = false;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"cellXfs")
            inXfs = true;
        else if (r.isEndElement() && r.name() == u"cellXfs")
            inXfs = false;
        else if (inXfs && r.isStartElement() && r.name() == u"xf")
            out.emplace_back();
        else if (inXfs && r.isStartElement() && r.name() == u"alignment" && !out.empty()) {
            const auto a = r.attributes();
            Style& s = out.back();
            s.horizontal = a.value(QLatin1String("horizontal")).toString();
            s.vertical = a.value(QLatin1String("vertical")).toString();
            s.wrap = a.value(QLatin1String("wrapText")) == u"1";
            s.shrink = a.value(QLatin1String("shrinkToFit")) == u"1";
            s.indent = a.value(QLatin1String("indent")).toInt();
            s.rotation = a.value(QLatin1String("textRotation")).toInt();
        }
    }
    return out;
}

inline Sheet read(const QString& file)
{
    Sheet sheet;
    const QStringList shared = sharedStrings(part(file, QStringLiteral("xl/sharedStrings.xml")));
    sheet.styles = styles(part(file, QStringLiteral("xl/styles.xml")));
    QXmlStreamReader r(part(file, QStringLiteral("xl/worksheets/sheet1.xml")));
    QString ref;
    Cell cell;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && r.name() == u"col") {
            const auto a = r.attributes();
            sheet.columns.push_back({a.value(QLatin1String("min")).toInt(), a.value(QLatin1String("max")).toInt(), a.value(QLatin1String("width")).toDouble()});
        } else if (r.isStartElement() && r.name() == u"c") {
            const auto a = r.attributes();
            ref = a.value(QLatin1String("r")).toString();
            cell = Cell{};
            cell.style = a.value(QLatin1String("s")).toInt();
            const QString t = a.value(QLatin1String("t")).toString();
            cell.kind = t.isEmpty() ? QStringLiteral("blank") : t;
        } else if (r.isStartElement() && r.name() == u"v") {
            const QString v = r.readElementText();
            if (cell.kind == u"s") {
                cell.kind = QStringLiteral("str");
                cell.value = shared.value(v.toInt());
            } else {
                cell.kind = QStringLiteral("n");
                cell.value = v;
            }
        } else if (r.isStartElement() && r.name() == u"t") {
            cell.kind = QStringLiteral("str");
            cell.value += r.readElementText();
        } else if (r.isEndElement() && r.name() == u"c") {
            sheet.cells.insert(ref, cell);
            sheet.rows = std::max(sheet.rows, Sheet::rowOf(ref));
            sheet.maxColumn = std::max(sheet.maxColumn, Sheet::columnOf(ref));
        }
    }
    return sheet;
}

// A column width as the file stores it: the spreadsheet's width in characters of 7 pixels,
// rounded to whole pixels, with the 5 pixels of cell padding, in 256ths.
inline double fileWidth(double width)
{
    const int pixels = int(width * 7 + 0.5) + 5;
    return int(pixels * 256.0 / 7) / 256.0;
}

// "A", "B", … "Q" for columns 1 to 26.
inline QString columnName(int column)
{
    return QString(QChar(u'A' + column - 1));
}

} // namespace xlsx
