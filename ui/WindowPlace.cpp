#include "ui/WindowPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ui {

void centreOnScreen(QWidget* window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

} // namespace ui
