#pragma once

#include "xof/Document.h"
#include "xof/Result.h"

namespace verdin::xof {

class StreamSink;
class VisitorSink;
class TextScanner;

// The document a text file starts from: its version and the standard
// templates, the scanner moved past the header. An error when the text does
// not start with a text header.
[[nodiscard]] Result<Document> StartTextDocument(TextScanner& scanner);

// Read templates and data objects from the scanner's position to the end of
// the text. The templates go into the document, which already holds those the
// text may use; the objects go into it as well, or to the sink. Throw
// ParseFailure.
void ReadTextBody(TextScanner& scanner, Document& document);
void ReadTextBody(TextScanner& scanner, Document& document, StreamSink& sink);
void ReadTextBody(TextScanner& scanner, Document& document, VisitorSink& sink);

}  // namespace verdin::xof
