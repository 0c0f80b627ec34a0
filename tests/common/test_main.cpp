// Test main: a QApplication on the offscreen platform, and scripted dialogs that fail the test
// on a box nobody expected.

#include "ui/ScriptedDialogs.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                     : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ui::ScriptedDialogs::unexpected = [](const QString& what) { ADD_FAILURE() << what.toStdString(); };
    return RUN_ALL_TESTS();
}
