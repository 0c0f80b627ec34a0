#pragma once

#include <QString>

class QWidget;

namespace ui {

// Every message, question and input box of the program goes through this interface, so that
// tests answer them without a screen (ScriptedDialogs) and no test waits on a box.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The plain message: the text, one OK button, the application's title.
    virtual void message(const QString& text) = 0;
    // The question: information icon, Yes and No; true only for Yes.
    virtual bool question(const QString& text) = 0;
    // OK and Cancel, as the grid's "Delete record?"; true only for OK.
    virtual bool confirm(const QString& text) = 0;
    // The input box: caption, prompt, default text; Cancel returns the default text.
    virtual QString input(const QString& caption, const QString& prompt, const QString& defaultText) = 0;
    // An error box with its own title and a stop icon.
    virtual void error(const QString& title, const QString& text) = 0;
    // The application's error box for an error no handler caught.
    virtual void applicationError(const QString& text) = 0;
    // A help text or note that needs no answer, with a title of its own.
    virtual void information(const QString& title, const QString& text) = 0;
};

// The one instance in use. The program installs the real boxes; tests install a script.
Dialogs& dialogs();
void setDialogs(Dialogs* d);   // the caller keeps ownership; nullptr brings back the real boxes

// The real boxes, shown with Qt over the active window.
class QtDialogs : public Dialogs {
public:
    void message(const QString& text) override;
    bool question(const QString& text) override;
    bool confirm(const QString& text) override;
    QString input(const QString& caption, const QString& prompt, const QString& defaultText) override;
    void error(const QString& title, const QString& text) override;
    void applicationError(const QString& text) override;
    void information(const QString& title, const QString& text) override;
};

// The program's title, as the boxes show it.
QString applicationTitle();

} // namespace ui
