#pragma once

#include "base/OptionFlags.h"

#include <QString>

namespace verdin {

// The options in the user's settings (organisation and application as set on
// the application object, group "Settings"). A missing value gives its
// default: AddTemplates 1, BinaryXFile 0, ScaleAndRotation 1, Position 0,
// bPPM 0, and 0 for the options for newer files, NewerMaterials, FlipV and
// Ascii.
void LoadOptions(OptionFlags& options);
void SaveOptions(const OptionFlags& options);
// Every option of `from`, into `to`.
void CopyOptions(const OptionFlags& from, OptionFlags& to);
// Turns on what keeps the look of a file from a later version of the
// modeller, as the option bar's "Keep the look" does.
void KeepTheLook(OptionFlags& options);

// The output folder ("OutputFolder" in the same group); empty, its default,
// means beside each COB file.
QString LoadOutputFolder();
void SaveOutputFolder(const QString& folder);

}  // namespace verdin
