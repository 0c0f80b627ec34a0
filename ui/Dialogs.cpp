#include "ui/Dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

namespace {
Dialogs* g_current = nullptr;

QWidget* parentWindow()
{
    return QApplication::activeWindow();
}
} // namespace

QString applicationTitle()
{
    return QStringLiteral("Программа учёта инструмента для ТОРН");
}

Dialogs& dialogs()
{
    static QtDialogs real;
    return g_current ? *g_current : real;
}

void setDialogs(Dialogs* d)
{
    g_current = d;
}

void QtDialogs::message(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok, parentWindow());
    box.exec();
}

bool QtDialogs::question(const QString& text)
{
    QMessageBox box(QMessageBox::Information, applicationTitle(), text, QMessageBox::Yes | QMessageBox::No,
                    parentWindow());
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
    return box.exec() == QMessageBox::Yes;
}

bool QtDialogs::confirm(const QString& text)
{
    QMessageBox box(QMessageBox::Question, applicationTitle(), text, QMessageBox::Ok | QMessageBox::Cancel,
                    parentWindow());
    return box.exec() == QMessageBox::Ok;
}

QString QtDialogs::input(const QString& caption, const QString& prompt, const QString& defaultText)
{
    QInputDialog dlg(parentWindow());
    dlg.setWindowTitle(caption);
    dlg.setLabelText(prompt);
    dlg.setTextValue(defaultText);
    dlg.setMinimumWidth(380);   // room for the whole caption
    dlg.setOkButtonText(QStringLiteral("OK"));
    dlg.setCancelButtonText(QStringLiteral("Отмена"));
    return dlg.exec() == QDialog::Accepted ? dlg.textValue() : defaultText;
}

void QtDialogs::error(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, parentWindow());
    box.exec();
}

void QtDialogs::applicationError(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, applicationTitle(), text, QMessageBox::Ok, parentWindow());
    box.exec();
}

void QtDialogs::information(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parentWindow());
    box.exec();
}

} // namespace ui
