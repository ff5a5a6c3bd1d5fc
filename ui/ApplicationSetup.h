#pragma once

namespace quillery::ui {

// Names the running application, gives it the program's icon and installs the translation of the
// language the user's settings choose (see ui/Translation.h); the desktop program calls it once
// its QApplication exists, before it makes the window.
//
// No display name is set: Qt appends a display name, once one is set, to every window title the
// platform shows ("New Book — Tollvern Quillery"), while the program's windows and dialogs carry
// exactly their own titles. Code that needs the program's name takes ProductName
// (base/ProductInfo.h), not QGuiApplication::applicationDisplayName().
void setUpApplication();

} // namespace quillery::ui
