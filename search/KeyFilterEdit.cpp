#include "search/KeyFilterEdit.h"

#include "ui/ErrorBox.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

namespace search {

KeyFilterEdit::KeyFilterEdit(QWidget* parent) : QLineEdit(parent) {}

void KeyFilterEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (!onKeyPress || typed.isEmpty() || event->key() == Qt::Key_Delete) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QString out;
    const bool keep = filtered(typed, out);
    // A dropped key must not travel on to the dialog either (Esc would close it, Enter press a button).
    event->accept();
    if (!keep)
        return;
    if (out == typed)
        QLineEdit::keyPressEvent(event);
    else
        insert(out);
}

void KeyFilterEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const QString typed = event->commitString();
    if (!onKeyPress || typed.isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QString out;
    QInputMethodEvent changed(event->preeditString(), event->attributes());
    if (filtered(typed, out))
        changed.setCommitString(out, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&changed);
}

bool KeyFilterEdit::filtered(const QString& typed, QString& out)
{
    bool keep = true;
    ui::guarded([&] {
        for (QChar c : typed) {
            if (!onKeyPress(c)) {
                keep = false;
                return;
            }
            out += c;
        }
    });
    return keep;
}

} // namespace search
