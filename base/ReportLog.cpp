#include "base/ReportLog.h"

namespace verdin {

std::string Printable(std::string_view text)
{
    std::string printable(text);
    for (char& c : printable)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '?';
    return printable;
}

}  // namespace verdin
