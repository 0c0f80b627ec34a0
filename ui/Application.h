#pragma once

#include <QApplication>

namespace ui {

// The application object: an error that a handler let through is shown in the error box at
// event dispatch and the program goes on.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace ui
