#pragma once

#include <QIcon>

namespace verdin {

// A COB file in the list: a shaded cube on a page, painted at 32 and 16 pixels
// for the large and small icon views.
QIcon CobFileIcon();
// The program's own icon: the cube alone, at 16, 32 and 48 pixels.
QIcon ApplicationIcon();

}  // namespace verdin
