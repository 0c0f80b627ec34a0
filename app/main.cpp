// The program: the main window first (it copies the database and reads the grid settings), then
// the data module, then every other window once, then the event loop. An error during start-up
// is shown in the error box and ends the program without the main window.

#include "app/U_about.h"
#include "app/U_gl.h"
#include "data/U_dm.h"
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
    std::unique_ptr<TF_nastr> nastr;
    std::unique_ptr<TFabout> about;
    const bool started = ui::guarded([&] {
        mainWindow = std::make_unique<TF_gl>();
        F_gl = mainWindow.get();
        dataModule = std::make_unique<TDM1>();
        DM1 = dataModule.get();
        mainWindow->attachData(*dataModule);
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
    mainWindow.reset();
    dataModule.reset();
    return code;
}
