#include "SearchFixture.h"

#include "search/KeyFilterEdit.h"
#include "search/RadioGroup.h"

#include <QRadioButton>
#include <QTest>

void fillSearchRegister(WorkDir& work)
{
    work.exec(QStringLiteral(
        "insert into type (type_kod, type_name) values (1, 'Свёрла'), (2, 'Фрезы');"
        "insert into postman (post_kod, post_name) values (1, 'Инструмент-Сервис'), (2, 'ООО Сверла'),"
        " (3, 'О''Нил и сын'), (4, 'Фрезы Урала');"
        "insert into uchot (uchot_N, naim_name, uchot_cena, uchot_sredm, post_kod, type_kod, uchot_ind, uchot_god) values"
        " (1, 'Сверло 5', 300, 12, 2, 1, 4, '2005'),"
        " (2, 'Фреза торцевая', 1250, 7, 4, 2, 1, '2006'),"
        " (3, 'Сверло О''Нил', 300, 3, 3, 1, 2, '2007'),"
        " (4, 'Метчик М6', 45, 12, 1, 1, 3, '2007'),"
        " (5, 'сверло 8', 500, 20, 2, 1, 5, '2008'),"
        " (6, '', 10, 0, 1, 2, 6, '2008'),"
        " (7, null, 20, 1, 4, 2, 7, '2009');"));
}

SearchTest::SearchTest() : work(0)
{
    fillSearchRegister(work);
    gl = std::make_unique<TF_gl>(work.file(QStringLiteral("uchet.INI")));
    dm = std::make_unique<TDM1>();
    gl->attachData(*dm);
    F_gl = gl.get();
    DM1 = dm.get();
    poisk = std::make_unique<TF_poisk>(*dm, *gl, gl.get());
    F_poisk = poisk.get();
    rpoisk = std::make_unique<TF_rpoisk>(*dm, *gl, gl.get());
    F_rpoisk = rpoisk.get();
    gl->FormActivate();
}

SearchTest::~SearchTest()
{
    rpoisk->close();
    poisk->close();
    gl->close();
    F_rpoisk = nullptr;
    F_poisk = nullptr;
    F_gl = nullptr;
    DM1 = nullptr;
    rpoisk.reset();
    poisk.reset();
    gl.reset();
    dm.reset();
}

QList<int> SearchTest::shownRows() const
{
    QList<int> out;
    const data::Dataset& q = dm->Quchot;
    const int f = q.fieldIndex(QStringLiteral("uchot_N"));
    for (int r = 0; r < q.recordCount(); ++r)
        out << int(q.intValue(r, f));
    return out;
}

void SearchTest::backToMainWindow()
{
    gl->FormActivate();
}

void SearchTest::type(QWidget* w, const QString& text)
{
    for (QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

void SearchTest::choose(bool exact, int column, const QString& value)
{
    poisk->show();
    (exact ? poisk->RB1 : poisk->RB2)->setChecked(true);
    poisk->RG1->setItemIndex(column);
    poisk->Edit1->setText(value);
}
