#include "ui/WindowPlace.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>
#include <QWidget>

namespace ui {

void centreOnScreen(QWidget* window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

QStatusBar* stackDataWindow(QMainWindow* window, QWidget* header, QWidget* grid, QWidget* footer)
{
    auto* central = new QWidget(window);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addWidget(grid, 1);
    layout->addWidget(footer);
    window->setCentralWidget(central);
    auto* status = new QStatusBar(window);
    window->setStatusBar(status);
    return status;
}

} // namespace ui
