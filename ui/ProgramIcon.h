#pragma once

#include <QIcon>
#include <QImage>

namespace quillery::ui {

// The program's icon: a closed book with a quill. It is drawn rather than loaded, so the window
// icon, the picture of the empty editor and the installed icon files are one picture.
QIcon programIcon();

// The picture at one size (the icon files are made from these).
QImage programIconImage(int size);

} // namespace quillery::ui
