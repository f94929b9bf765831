#pragma once

#include "CobBodies.h"

#include <string>

namespace verdin::test {

// The text form of the bodies in CobBodies.h, line by line as the modeller
// writes it; a file is kTextHeader, chunks, then kTextEnd.

extern const std::string kTextHeader;
extern const std::string kTextEnd;

// A chunk header line and the body. Its size is wrong on purpose, as in files
// edited by hand after saving: readers go by the header lines.
std::string TextChunk(const std::string& tag, int minor, int id, int parent, const std::string& body);
std::string TextPlacement(const std::string& name, const Matrix& position = kIdentity);
std::string TextPolH(const PolygonSpec& polygon);
// The fields Mat1Body stores, with a diffuse factor the binary form lacks.
std::string TextMat1(const MaterialSpec& material);
// The channel ChanBody stores, with blanks after its name and an orientation's
// w written as the modeller writes it.
std::string TextChan(const ChannelSpec& channel);
// A shader box whose colour shader names the texture (one value followed by
// blanks, as an editor may leave it); a transparency shader after it names
// another image, which is no texture.
std::string TextShaders(const MapSpec& texture);

}  // namespace verdin::test
