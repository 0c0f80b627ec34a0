#include "refbooks/ActivationWatch.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace refbooks {

ActivationWatch::ActivationWatch(QWidget* window, std::function<void()> onActivate)
    : QObject(window), window_(window), onActivate_(std::move(onActivate))
{
    window_->installEventFilter(this);
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, &ActivationWatch::focusWindowChanged);
}

bool ActivationWatch::eventFilter(QObject* watched, QEvent* event)
{
    // A restore from the task bar arrives as a spontaneous showing; it is no new opening.
    if (watched == window_ && event->type() == QEvent::Show && !event->spontaneous()) {
        justShown_ = true;
        onActivate_();
    }
    return QObject::eventFilter(watched, event);
}

void ActivationWatch::focusWindowChanged(QWindow* window)
{
    if (window && (window->type() == Qt::Popup || window->type() == Qt::ToolTip))
        return;
    if (window && window == window_->windowHandle()) {
        const bool fromProgramWindow = previous_ && previous_ != window;
        const bool fromOwnBox = previous_ && previous_->modality() != Qt::NonModal;
        if (!justShown_ && fromProgramWindow && !fromOwnBox)
            onActivate_();
        justShown_ = false;
    } else if (window) {
        justShown_ = false;
    }
    previous_ = window;
}

} // namespace refbooks
