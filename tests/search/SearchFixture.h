#pragma once

#include "TempDir.h"
#include "app/U_gl.h"
#include "data/U_dm.h"
#include "search/U_poisk.h"
#include "search/U_rpoisk.h"
#include "ui/ScriptedDialogs.h"

#include <QLocale>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

// A small register with suppliers whose names test the searches: a Cyrillic name stored in mixed
// case, names with an apostrophe, an empty and an unset name. Each row is numbered N1..N7 by its
// uchot_N; the running numbers (uchot_ind) give another order.
//
//   N  naim_name         price  average  supplier             uchot_ind
//   1  Сверло 5            300       12  2 ООО Сверла                 4
//   2  Фреза торцевая     1250        7  4 Фрезы Урала                1
//   3  Сверло О'Нил        300        3  3 О'Нил и сын                2
//   4  Метчик М6            45       12  1 Инструмент-Сервис          3
//   5  сверло 8            500       20  2 ООО Сверла                 5
//   6  (empty text)         10        0  1 Инструмент-Сервис          6
//   7  (unset)              20        1  4 Фрезы Урала                7
void fillSearchRegister(WorkDir& work);

// The main window, the data module and both search dialogs, put together as the program does at
// start, with the program-wide instances set for the test's lifetime.
class SearchTest : public ::testing::Test {
protected:
    SearchTest();
    ~SearchTest() override;

    // The uchot_N of every row the register shows, in its order.
    QList<int> shownRows() const;
    // What the main window's activation does after a dialog closes.
    void backToMainWindow();
    // Types text into a widget one character at a time, as a user would.
    static void type(QWidget* w, const QString& text);
    // Chooses the mode, the column and the value in the search dialog.
    void choose(bool exact, int column, const QString& value);

    WorkDir work;
    ui::ScriptedDialogsGuard boxes;
    std::unique_ptr<TF_gl> gl;
    std::unique_ptr<TDM1> dm;
    std::unique_ptr<TF_poisk> poisk;
    std::unique_ptr<TF_rpoisk> rpoisk;
};

// Sets the program's locale (its decimal separator) for the lifetime of the guard.
class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale& l) { QLocale::setDefault(l); }
    ~LocaleGuard() { QLocale::setDefault(saved_); }

private:
    QLocale saved_;
};

using Kind = ui::ScriptedDialogs::Kind;
