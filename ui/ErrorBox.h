#pragma once

#include "data/DbError.h"
#include "ui/Dialogs.h"

#include <exception>
#include <utility>

namespace ui {

// Runs a handler; an error that escapes it is shown in the application's error box and the
// program goes on, with the handler's remaining steps skipped. Every entry point from Qt
// (slots, event overrides) goes through here, so no exception unwinds through Qt's frames.
template <class F>
bool guarded(F&& handler)
{
    try {
        std::forward<F>(handler)();
        return true;
    } catch (const data::DbError& e) {
        dialogs().applicationError(e.message());
    } catch (const std::exception& e) {
        dialogs().applicationError(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        dialogs().applicationError(QString());
    }
    return false;
}

} // namespace ui
