#include "search/SupplierCondition.h"

namespace search {

QString supplierConditionText(const std::vector<qint32>& codes)
{
    if (codes.empty())
        return QString();
    QString text = QStringLiteral(" ");
    for (qint32 code : codes)
        text += QStringLiteral(" post_kod=") + QString::number(code) + QStringLiteral(" or");
    text.chop(2);
    return text;
}

QString supplierConditionSql(const std::vector<qint32>& codes)
{
    if (codes.size() <= maxOrChain)
        return supplierConditionText(codes);
    QString text = QStringLiteral(" post_kod in (");
    for (size_t i = 0; i < codes.size(); ++i) {
        if (i)
            text += QLatin1Char(',');
        text += QString::number(codes[i]);
    }
    return text + QStringLiteral(") ");
}

} // namespace search
