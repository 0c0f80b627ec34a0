#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;
class QWindow;

namespace refbooks {

// Tells a window when it becomes the program's active window: at each showing, and each time
// the user comes back to it from another window of the program. Switching to another program
// and back does not count. Drop-down lists and tooltips are not windows for this purpose, and
// neither are the modal boxes raised over the window by its own handlers (the delete
// confirmation, the error box): coming back from them is not a return to the window, so the
// handler that raised them goes on with the rows it was working on.
class ActivationWatch : public QObject {
    Q_OBJECT
public:
    ActivationWatch(QWidget* window, std::function<void()> onActivate);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void focusWindowChanged(QWindow* window);

    QWidget* window_;
    std::function<void()> onActivate_;
    QPointer<QWindow> previous_;
    // The showing has run the handler already; the activation that follows it is the same one.
    bool justShown_ = false;
};

} // namespace refbooks
