#pragma once

#include "base/Cancelled.h"
#include "base/Errors.h"
#include "ui/Dialogs.h"

#include <QWidget>

#include <exception>

namespace quillery::ui {

// Shows a failure in the program's error box: the window's caption as title, the message as text.
inline void showError(QWidget* window, const QString& message)
{
    dialogs().messageBox(window, QMessageBox::Critical,
                         window ? window->window()->windowTitle() : QString(), message,
                         QMessageBox::Ok);
}

// Runs one handler of the user interface. A failure stops the handler where it arose, its message
// is shown in the error box, and the program goes on: no exception ever leaves an event handler.
template <typename Handler> void guarded(QWidget* window, Handler&& handler)
{
    try {
        handler();
    } catch (const Cancelled&) {
        // The user's own answer: the handler stops there, with nothing to show.
    } catch (const Error& error) {
        showError(window, error.message());
    } catch (const std::exception& error) {
        showError(window, QString::fromLocal8Bit(error.what()));
    }
}

} // namespace quillery::ui
