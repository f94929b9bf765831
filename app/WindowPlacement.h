#pragma once

#include <QRect>

class QWidget;

namespace verdin {

// `frame` moved, and shrunk where it is larger, as little as it takes to lie
// within `available`.
QRect FittedInto(const QRect& frame, const QRect& available);

// The main window's place and size in the user's settings (group "Window"),
// restored before it shows.
void RestoreWindowPlacement(QWidget& window);
void SaveWindowPlacement(const QWidget& window);

// Once the window shows, with its frame: moves and shrinks it as little as it
// takes for all of it to lie on its screen.
void FitWindowIntoScreen(QWidget& window);

}  // namespace verdin
