#include "refbooks/U_spr_post.h"

#include "refbooks/Decor.h"

TF_post* F_post = nullptr;

namespace decor = refbooks::decor;

TF_post::TF_post(TDM1& dm, QWidget* parent)
    : TF_type(Look{QStringLiteral("Справочник поставщиков"),
                   decor::bookIcon(decor::skyBlue.darker(160)),
                   decor::panelPicture(decor::skyBlue.darker(200)),
                   &dm.DSpost,
                   {
                       {QStringLiteral("post_kod"), QStringLiteral("№"), decor::mint,
                        Qt::AlignRight | Qt::AlignVCenter, 4, false, false},
                       {QStringLiteral("post_name"), QStringLiteral("Название поставщика"), decor::skyBlue,
                        Qt::AlignLeft | Qt::AlignVCenter, 50, true, false},
                   }},
              parent)
{
    setObjectName(QStringLiteral("F_post"));
}

TF_post::~TF_post()
{
    if (F_post == this)
        F_post = nullptr;
}
