#pragma once

#include "cob/ShaderBox.h"

namespace verdin {

class CobTextBody;

// Reads the body of a text-form ShBx chunk, shader by shader:
//
//   Shader class: color
//   Shader name: "plain color" (plain)
//   Number of parameters: 1
//   colour: color (88, 111, 232)
//   Flags: 3
//
// A shader is known by the name in parentheses, the one binary files hold.
// A value that does not read as its type fails the body (CobTextError);
// other lines, parameters of a type of another form, and the parameters of a
// class of unknown name are passed over.
ShaderBox ReadCobTextShaders(CobTextBody& body);

}  // namespace verdin
