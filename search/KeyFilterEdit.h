#pragma once

#include <QLineEdit>
#include <functional>

namespace search {

// A single-line edit that hands every typed character to onKeyPress before it is applied, as
// the dialogs' key handlers expect: the handler may change the character or drop it (return
// false). Keys that type nothing (arrows, Delete, Home) are not shown to the handler; text that
// an input method commits is, character by character.
class KeyFilterEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit KeyFilterEdit(QWidget* parent = nullptr);

    std::function<bool(QChar& key)> onKeyPress;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // The typed text as the handler lets it through; false when it drops any of it.
    bool filtered(const QString& typed, QString& out);
};

} // namespace search
