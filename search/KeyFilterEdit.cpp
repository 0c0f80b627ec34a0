#include "search/KeyFilterEdit.h"

#include "ui/ErrorBox.h"

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
    // A dropped key must not travel on to the dialog either (Esc would close it, Enter press a button).
    event->accept();
    if (!keep)
        return;
    if (out == typed)
        QLineEdit::keyPressEvent(event);
    else
        insert(out);
}

} // namespace search
