#include "ui/ScriptedDialogs.h"

namespace ui {

void (*ScriptedDialogs::unexpected)(const QString&) = nullptr;

void ScriptedDialogs::expect(Kind kind, const QString& answer)
{
    expected_.push_back({kind, answer});
}

QStringList ScriptedDialogs::texts() const
{
    QStringList out;
    for (const Shown& s : shown_)
        out << s.text;
    return out;
}

void ScriptedDialogs::clear()
{
    expected_.clear();
    shown_.clear();
}

QString ScriptedDialogs::take(Kind kind, const QString& title, const QString& text)
{
    shown_.push_back({kind, title, text});
    if (!expected_.empty() && expected_.front().kind == kind) {
        const QString a = expected_.front().answer;
        expected_.pop_front();
        return a;
    }
    if (strict_ && unexpected)
        unexpected(QStringLiteral("unexpected box (kind %1): %2 %3").arg(int(kind)).arg(title, text));
    return QString();
}

void ScriptedDialogs::message(const QString& text)
{
    take(Kind::Message, applicationTitle(), text);
}

bool ScriptedDialogs::question(const QString& text)
{
    return take(Kind::Question, applicationTitle(), text) == QLatin1String("yes");
}

bool ScriptedDialogs::confirm(const QString& text)
{
    return take(Kind::Confirm, applicationTitle(), text) == QLatin1String("ok");
}

QString ScriptedDialogs::input(const QString& caption, const QString& prompt, const QString& defaultText)
{
    const QString a = take(Kind::Input, caption, prompt);
    return a.isNull() ? defaultText : a;
}

void ScriptedDialogs::error(const QString& title, const QString& text)
{
    take(Kind::Error, title, text);
}

void ScriptedDialogs::applicationError(const QString& text)
{
    take(Kind::ApplicationError, applicationTitle(), text);
}

void ScriptedDialogs::information(const QString& title, const QString& text)
{
    take(Kind::Information, title, text);
}

} // namespace ui
