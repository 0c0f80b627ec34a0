// The program: the main window first (it copies the database and reads the grid settings), then
// the data module, then every other window once, then the event loop. An error during start-up
// is shown in the error box and ends the program without the main window.

#include "app/U_about.h"
#include "app/U_gl.h"
#include "data/U_dm.h"
#include "output/U_rep.h"
#include "output/U_selectmounth.h"
#include "refbooks/U_spr_naim.h"
#include "refbooks/U_spr_post.h"
#include "refbooks/U_spr_type.h"
#include "search/U_poisk.h"
#include "search/U_rpoisk.h"
#include "settings/U_nastr.h"
#include "ui/Application.h"
#include "ui/ErrorBox.h"

#include <memory>

int main(int argc, char** argv)
{
    ui::Application app(argc, argv);
    app.setApplicationName(QStringLiteral("uchet"));
    app.setStyle(QStringLiteral("Fusion"));

    std::unique_ptr<TF_gl> mainWindow;
    std::unique_ptr<TDM1> dataModule;
    std::unique_ptr<TF_naim> naim;
    std::unique_ptr<TF_type> type;
    std::unique_ptr<TF_post> post;
    std::unique_ptr<TF_poisk> poisk;
    std::unique_ptr<TF_rpoisk> rpoisk;
    std::unique_ptr<TF_QRep> qrep;
    std::unique_ptr<TF_sm> sm;
    std::unique_ptr<TF_nastr> nastr;
    std::unique_ptr<TFabout> about;
    const bool started = ui::guarded([&] {
        mainWindow = std::make_unique<TF_gl>();
        F_gl = mainWindow.get();
        dataModule = std::make_unique<TDM1>();
        DM1 = dataModule.get();
        mainWindow->attachData(*dataModule);
        naim = std::make_unique<TF_naim>(*dataModule, mainWindow.get());
        F_naim = naim.get();
        type = std::make_unique<TF_type>(*dataModule, mainWindow.get());
        F_type = type.get();
        post = std::make_unique<TF_post>(*dataModule, mainWindow.get());
        F_post = post.get();
        poisk = std::make_unique<TF_poisk>(*dataModule, *mainWindow, mainWindow.get());
        F_poisk = poisk.get();
        rpoisk = std::make_unique<TF_rpoisk>(*dataModule, *mainWindow, mainWindow.get());
        F_rpoisk = rpoisk.get();
        qrep = std::make_unique<TF_QRep>(dataModule->Quchot);
        F_QRep = qrep.get();
        sm = std::make_unique<TF_sm>(*dataModule, mainWindow->DBGrid1, mainWindow.get());
        F_sm = sm.get();
        nastr = std::make_unique<TF_nastr>(*mainWindow->DBGrid1, mainWindow->settingsPath(), mainWindow.get());
        F_nastr = nastr.get();
        about = std::make_unique<TFabout>(mainWindow.get());
        Fabout = about.get();
    });
    if (!started)
        return 1;

    mainWindow->show();
    const int code = app.exec();
    about.reset();
    nastr.reset();
    sm.reset();
    qrep.reset();
    rpoisk.reset();
    poisk.reset();
    post.reset();
    type.reset();
    naim.reset();
    mainWindow.reset();
    dataModule.reset();
    return code;
}
