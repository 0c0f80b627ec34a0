#include "data/DbError.h"
#include "data/U_dm.h"
#include "ui/Dialogs.h"

#include <QApplication>
#include <QMainWindow>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::unique_ptr<TDM1> dm;
    try {
        dm = std::make_unique<TDM1>();
        DM1 = dm.get();
    } catch (const data::DbError& e) {
        ui::dialogs().applicationError(e.message());
        return 1;
    }
    QMainWindow w;
    w.setWindowTitle(ui::applicationTitle());
    w.show();
    return app.exec();
}
