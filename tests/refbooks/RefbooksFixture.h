#pragma once

// The program as it starts, over a small database: the main window, the data module and the
// three reference windows, created in their order with their global pointers set.

#include "TempDir.h"
#include "app/U_gl.h"
#include "data/U_dm.h"
#include "refbooks/U_spr_naim.h"
#include "refbooks/U_spr_post.h"
#include "refbooks/U_spr_type.h"
#include "ui/ScriptedDialogs.h"

#include <QStringList>
#include <QVariant>
#include <gtest/gtest.h>
#include <memory>

class RefbooksTest : public ::testing::Test {
protected:
    RefbooksTest();

    // Groups 1 to 3, four names, three suppliers and three register rows.
    void addFixture();
    void start();
    void TearDown() override;

    // A field of every row the dataset holds, in its order.
    static QStringList column(const data::Dataset& ds, const char* field);
    // Types text into a widget one character at a time, as the keyboard does.
    static void type(QWidget* widget, const QString& text);
    // A value straight from the file.
    QString fileValue(const QString& sql) const { return work.scalar(sql); }

    WorkDir work;
    std::unique_ptr<TF_gl> gl;
    std::unique_ptr<TDM1> dm;
    std::unique_ptr<TF_naim> naim;
    std::unique_ptr<TF_type> types;
    std::unique_ptr<TF_post> post;
    ui::ScriptedDialogsGuard boxes;
};
