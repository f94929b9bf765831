#pragma once

namespace verdin {

class CChanChunk;
class CobTextBody;

// Reads the body of a text-form Chan chunk into `channel`:
//
//   Name AnimationSet0
//   type Move
//   flags 1 frames 23
//   time 0 acc 0 t 0 c 0 b 0 position -0.011608 0 0.24791
//
// A Vertex channel names its vertex ("vertex 12") before its flags; Rotate
// keys hold "orientation w x y z" instead of a position. The keys of a
// channel of another type are passed over. A line that does not read as
// expected fails the body (CobTextError).
void ReadCobTextChannel(CobTextBody& body, CChanChunk& channel);

}  // namespace verdin
