#pragma once

#include "ui/Dialogs.h"

#include <QString>
#include <QStringList>
#include <deque>

namespace ui {

// The boxes as tests answer them: every box is recorded, and the answer comes from a queue of
// expected boxes. A box that was not expected fails the test (through the failure hook) instead
// of waiting for a click that never comes.
class ScriptedDialogs : public Dialogs {
public:
    enum class Kind { Message, Question, Confirm, Input, Error, ApplicationError, Information };

    struct Shown {
        Kind kind;
        QString title;
        QString text;
    };

    // Expect a box of this kind; answer: "yes"/"no" for questions, "ok"/"cancel" for confirms,
    // the typed text for an input box (a null QString answers Cancel).
    void expect(Kind kind, const QString& answer = QString());
    // Boxes of these kinds are answered without being expected (questions No, confirms Cancel).
    void allowAny() { strict_ = false; }

    const std::vector<Shown>& shown() const { return shown_; }
    QStringList texts() const;
    bool allAnswered() const { return expected_.empty(); }
    void clear();

    void message(const QString& text) override;
    bool question(const QString& text) override;
    bool confirm(const QString& text) override;
    QString input(const QString& caption, const QString& prompt, const QString& defaultText) override;
    void error(const QString& title, const QString& text) override;
    void applicationError(const QString& text) override;
    void information(const QString& title, const QString& text) override;

    // Called for a box nobody expected; tests set it to ADD_FAILURE.
    static void (*unexpected)(const QString& what);

private:
    QString take(Kind kind, const QString& title, const QString& text);

    struct Expected {
        Kind kind;
        QString answer;
    };
    std::deque<Expected> expected_;
    std::vector<Shown> shown_;
    bool strict_ = true;
};

// Installs a ScriptedDialogs for the lifetime of the guard.
class ScriptedDialogsGuard {
public:
    ScriptedDialogsGuard() { setDialogs(&script); }
    ~ScriptedDialogsGuard() { setDialogs(nullptr); }
    ScriptedDialogs script;
};

} // namespace ui
