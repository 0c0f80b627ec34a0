#include "settings/GridSettings.h"

#include "settings/IniFile.h"
#include "ui/DBGrid.h"

#include <QFont>
#include <QtMath>
#include <algorithm>

namespace settings {

namespace {

const QString kSection = QStringLiteral("Options GlGrid");
// The keys carry the grid's component name, which the program has always used.
const QString kFontSizeKey = QStringLiteral("DBGrid1 font-size");
const QString kFontNameKey = QStringLiteral("DBGrid1 font-name");
const QString kFontNameDefault = QStringLiteral("MS Sans Serif");
constexpr int kFirstPosition = 1;
constexpr int kLastPosition = 19;

QString visibleKey(const ui::DBGrid& grid, int position)
{
    return grid.gridColumn(position).fieldName + QStringLiteral(" Visible");
}

int lastPosition(const ui::DBGrid& grid)
{
    return std::min(kLastPosition, grid.columnCount() - 1);
}

} // namespace

void readGridSettings(ui::DBGrid& grid, const IniFile& ini)
{
    int size = ini.readInteger(kSection, kFontSizeKey, kGridFontSizeDefault);
    if (size < kGridFontSizeMin || size > kGridFontSizeMax)
        size = kGridFontSizeDefault;
    QString name = ini.readString(kSection, kFontNameKey, kFontNameDefault);
    if (name.isEmpty())
        name = kFontNameDefault;
    QFont font = grid.font();
    font.setPointSize(size);
    font.setFamily(name);
    grid.setFont(font);

    for (int pos = kFirstPosition; pos <= lastPosition(grid); ++pos)
        grid.setColumnVisible(pos, ini.readInteger(kSection, visibleKey(grid, pos), 1) != 0);
}

void writeGridSettings(const ui::DBGrid& grid, IniFile& ini)
{
    const QFont font = grid.font();
    int size = font.pointSize();
    if (size <= 0)   // a font given in pixels has no point size of its own
        size = font.pointSizeF() > 0 ? qRound(font.pointSizeF()) : kGridFontSizeDefault;
    ini.writeInteger(kSection, kFontSizeKey, size);
    ini.writeString(kSection, kFontNameKey, font.family());

    for (int pos = kFirstPosition; pos <= lastPosition(grid); ++pos)
        ini.writeInteger(kSection, visibleKey(grid, pos), grid.isColumnVisible(pos) ? 1 : 0);
}

void LoadGridSettings(ui::DBGrid& grid, const QString& iniPath)
{
    readGridSettings(grid, IniFile(iniPath));
}

void SaveGridSettings(ui::DBGrid& grid, const QString& iniPath)
{
    IniFile ini(iniPath);
    writeGridSettings(grid, ini);
    ini.save();
}

} // namespace settings
