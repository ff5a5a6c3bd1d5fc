#pragma once

#include <QString>

class QWidget;

namespace quillery::ui {

// Gives every control under `root` that Tab can reach an accessible name, unless it has one (it
// then keeps its own description too): the text of the label that is its buddy, else its own
// caption, else the title of the group box or the tab it sits in, else its placeholder, else its
// hint; accelerator marks and a closing colon are left out. Its hint becomes its description
// where the hint says more than the name. Call it once the controls and their texts exist.
void nameControls(QWidget* root);

// A caption as a screen reader says it: "&Author:" gives "Author", "Escape <, >, and &&" gives
// "Escape <, >, and &".
QString spokenCaption(const QString& caption);

// Frames the control that has the focus in `window` where the control draws no sign of it itself
// (text views without a frame), so the focus is always visible.
void showFocusFrames(QWidget* window);

} // namespace quillery::ui
