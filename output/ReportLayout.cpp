#include "output/ReportLayout.h"

#include <QMarginsF>
#include <QPageSize>

namespace output::report {

namespace {
constexpr Qt::Alignment left = Qt::AlignLeft;
constexpr Qt::Alignment right = Qt::AlignRight;
constexpr Qt::Alignment centre = Qt::AlignHCenter;

constexpr double headingTop = 16.9;
constexpr double valueTop = 2.1;
} // namespace

const TextBox& titleCaptionBox()
{
    static const TextBox box{2.1, 2.1, 0, 10, false, left};
    return box;
}

const TextBox& titleDateBox()
{
    static const TextBox box{27.5, 2.1, 0, 10, false, left};
    return box;
}

QString titleCaption()
{
    return QStringLiteral("Состояние на ");
}

const std::array<Heading, columnCount>& headings()
{
    static const std::array<Heading, columnCount> items = {{
        {"Наименование", {2.1, headingTop, 0, 9, true, left}},
        {"Учётная цена", {42.3, headingTop, 20.9, 9, true, right}},
        {"Поставщик", {67.7, headingTop, 0, 9, true, left}},
        {"Ср. расход. в м", {95.3, headingTop, 0, 9, true, left}},
        {"январь", {120.7, headingTop, 0, 8, true, left}},
        {"февраль", {132.3, headingTop, 13.2, 8, true, centre}},
        {"март", {148.2, headingTop, 0, 8, true, left}},
        {"апрель", {160.9, headingTop, 0, 8, true, left}},
        {"май", {175.7, headingTop, 0, 8, true, left}},
        {"июнь", {188.4, headingTop, 0, 8, true, left}},
        {"июль", {201.1, headingTop, 0, 8, true, left}},
        {"август", {213.8, headingTop, 0, 8, true, left}},
        {"сентябрь", {225.4, headingTop, 0, 8, true, left}},
        {"октябрь", {240.2, headingTop, 0, 8, true, left}},
        {"ноябрь", {254.0, headingTop, 0, 8, true, left}},
        {"декабрь", {266.7, headingTop, 0, 8, true, left}},
    }};
    return items;
}

const std::array<ValueColumn, columnCount>& valueColumns()
{
    static const std::array<ValueColumn, columnCount> items = {{
        {"naim_name", {2.1, valueTop, 0, 9, false, left}, 41.4},
        {"uchot_cena", {50.5, valueTop, 18.0, 10, false, centre}},
        {"post_name", {66.7, valueTop, 0, 9, false, left}, 94.3},
        {"uchot_sredm", {95.3, valueTop, 20.1, 10, false, centre}},
        {"январь", {122.0, valueTop, 0, 10, false, left}},
        {"февраль", {134.7, valueTop, 0, 10, false, left}},
        {"март", {147.4, valueTop, 0, 10, false, left}},
        {"апрель", {160.1, valueTop, 0, 10, false, left}},
        {"май", {174.9, valueTop, 0, 10, false, left}},
        {"июнь", {187.6, valueTop, 0, 10, false, left}},
        {"июль", {200.3, valueTop, 0, 10, false, left}},
        {"август", {213.0, valueTop, 0, 10, false, left}},
        {"сентябрь", {226.2, valueTop, 0, 10, false, left}},
        {"октябрь", {239.7, valueTop, 0, 10, false, left}},
        {"ноябрь", {253.2, valueTop, 0, 10, false, left}},
        {"декабрь", {265.9, valueTop, 0, 10, false, left}},
    }};
    return items;
}

QPageLayout pageLayout()
{
    QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                       QMarginsF(marginLeft, marginTop, marginRight, marginBottom), QPageLayout::Millimeter);
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}

} // namespace output::report
