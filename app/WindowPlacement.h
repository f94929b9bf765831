#pragma once

#include <QList>
#include <QRect>

class QWidget;

namespace verdin {

// `frame` moved, and shrunk where it is larger, as little as it takes to lie
// within `available`.
QRect FittedInto(const QRect& frame, const QRect& available);

// `frame` fitted into the available area of one screen: the one holding its
// top-left corner, else the one showing most of it, else the first (the
// primary screen). Its title bar is then always in reach.
QRect PlacedOnScreens(const QRect& frame, const QList<QRect>& availableAreas);

// The main window's place and size in the user's settings (group "Window"):
// the frame's top-left corner, where the title bar starts, and the size
// inside the frame. Restored before the window shows, fitted to a screen.
void RestoreWindowPlacement(QWidget& window);
void SaveWindowPlacement(const QWidget& window);

// Once the window shows, with its frame: moves and shrinks it as little as it
// takes for all of it to lie on a screen.
void FitWindowIntoScreen(QWidget& window);

}  // namespace verdin
