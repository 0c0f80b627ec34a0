// When a reference window counts as activated: at its showing, and at a return from another
// window of the program, but not at a return from a modal box raised over it.

#include "refbooks/ActivationWatch.h"

#include <QDialog>
#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

struct Windows {
    Windows()
    {
        new refbooks::ActivationWatch(&window, [this] { ++activations; });
        other.resize(200, 100);
        window.resize(200, 100);
    }
    ~Windows()
    {
        window.close();
        other.close();
    }
    // Makes w the active window and waits until it is.
    // Waits for the focus change itself: a parent counts as active while its dialog has the
    // focus, and the change arrives queued.
    static bool activate(QWidget& w)
    {
        QSignalSpy spy(qGuiApp, &QGuiApplication::focusWindowChanged);
        w.activateWindow();
        return QTest::qWaitFor([&] {
            return !spy.isEmpty() && spy.last().at(0).value<QWindow*>() == w.windowHandle();
        });
    }

    QWidget other;
    QWidget window;
    int activations = 0;
};

TEST(ActivationWatchTest, ShowingAndReturnsFromOtherWindowsCountOnce)
{
    Windows w;
    w.other.show();
    ASSERT_TRUE(Windows::activate(w.other));

    w.window.show();
    EXPECT_EQ(w.activations, 1);
    // The activation the showing brings is the same one.
    ASSERT_TRUE(Windows::activate(w.window));
    EXPECT_EQ(w.activations, 1);

    ASSERT_TRUE(Windows::activate(w.other));
    EXPECT_EQ(w.activations, 1);
    ASSERT_TRUE(Windows::activate(w.window));
    EXPECT_EQ(w.activations, 2);

    // Hidden and shown again: a new opening.
    w.window.hide();
    ASSERT_TRUE(Windows::activate(w.other));
    w.window.show();
    EXPECT_EQ(w.activations, 3);
    ASSERT_TRUE(Windows::activate(w.window));
    EXPECT_EQ(w.activations, 3);
}

TEST(ActivationWatchTest, AModalBoxOverTheWindowIsNoDeparture)
{
    Windows w;
    w.window.show();
    ASSERT_TRUE(Windows::activate(w.window));
    ASSERT_EQ(w.activations, 1);

    QDialog box(&w.window);
    box.setModal(true);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    box.close();
    ASSERT_TRUE(Windows::activate(w.window));
    EXPECT_EQ(w.activations, 1);

    // A window of the program that is no box does count.
    w.other.show();
    ASSERT_TRUE(Windows::activate(w.other));
    ASSERT_TRUE(Windows::activate(w.window));
    EXPECT_EQ(w.activations, 2);
}

} // namespace
