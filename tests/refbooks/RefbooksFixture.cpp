#include "RefbooksFixture.h"

#include "data/Dataset.h"

#include <QTest>

RefbooksTest::RefbooksTest() : work(0) {}

void RefbooksTest::addFixture()
{
    work.exec(QStringLiteral(
        "insert into type (type_kod, type_name) values (1, 'Свёрла'), (2, 'Фрезы'), (3, 'Метчики');"
        "insert into naim (naim_kod, naim_name, type_kod) values "
        "  (1, 'Сверло 8', 1), (2, 'Фреза торцевая', 2), (3, 'Метчик М6', 3), (4, 'Сверло 5', 1);"
        "insert into postman (post_kod, post_name) values (1, 'Вектор'), (2, 'Альфа'), (3, 'Бета');"
        "insert into uchot (uchot_N, naim_name, uchot_cena, uchot_god, uchot_sredm, январь, uchot_ind, post_kod, type_kod)"
        "  values (1, 'Сверло 8', 300, '2005', 7, 4, 1, 1, 1),"
        "         (2, 'Фреза торцевая', 900, '2006', 2, 1, 2, 2, 2),"
        "         (3, 'Метчик М6', 120, '2007', 5, 6, 3, 3, 3);"));
}

void RefbooksTest::start()
{
    gl = std::make_unique<TF_gl>(work.file(QStringLiteral("uchet.INI")));
    F_gl = gl.get();
    dm = std::make_unique<TDM1>();
    DM1 = dm.get();
    gl->attachData(*dm);
    naim = std::make_unique<TF_naim>(*dm, gl.get());
    F_naim = naim.get();
    types = std::make_unique<TF_type>(*dm, gl.get());
    F_type = types.get();
    post = std::make_unique<TF_post>(*dm, gl.get());
    F_post = post.get();
    gl->FormActivate();
}

void RefbooksTest::TearDown()
{
    for (QWidget* w : {static_cast<QWidget*>(post.get()), static_cast<QWidget*>(types.get()),
                       static_cast<QWidget*>(naim.get()), static_cast<QWidget*>(gl.get())})
        if (w)
            w->close();
    post.reset();
    types.reset();
    naim.reset();
    gl.reset();
    dm.reset();
    F_naim = nullptr;
    F_type = nullptr;
    F_post = nullptr;
    F_gl = nullptr;
    DM1 = nullptr;
}

QStringList RefbooksTest::column(const data::Dataset& ds, const char* field)
{
    QStringList out;
    const int f = ds.fieldIndex(QString::fromUtf8(field));
    for (int r = 0; r < ds.recordCount(); ++r)
        out << ds.text(r, f);
    return out;
}

void RefbooksTest::type(QWidget* widget, const QString& text)
{
    // QTest::keyClicks goes through toLatin1 and aborts on Cyrillic.
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}
