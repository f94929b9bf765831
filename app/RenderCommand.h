#pragma once

#include <QStringList>

namespace verdin {

// `verdin --render FILE.x OUT.png [--size WxH] [--turn YAW,PITCH]`: draws the
// file as the preview does and writes the picture, without a window. The
// arguments follow "--render". 0 when the picture was written, 1 when the
// file could not be read or the picture written, 2 for bad arguments; what
// went wrong goes to the standard error.
int RunRenderCommand(const QStringList& arguments);

}  // namespace verdin
