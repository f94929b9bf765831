#include "cli/HintLines.h"

#include "base/NumberFormat.h"

namespace {

std::string Files(int count)
{
    return verdin::FormatInt(count) + (count == 1 ? " file" : " files");
}

}  // namespace

std::string HintLines(const verdin::JobOutcome& outcome)
{
    struct Hint {
        verdin::LookHint hint;
        const char* what;
        const char* fix;
    };
    static constexpr Hint kHints[] = {
        {verdin::kHintNewerMaterials,
         " had newer materials refused: ", "--newer-materials (or --keep-look) reads them."},
        {verdin::kHintTextForm, " in the text form not read: ", "--ascii (or --keep-look) reads them."},
        {verdin::kHintPositions,
         " had objects overlapping without their positions: ", "--position (or --keep-look) places them."},
    };
    std::string lines;
    for (const Hint& hint : kHints)
        if (const int count = verdin::CountWithHint(outcome.notes, hint.hint))
            lines += "verdin-cli: " + Files(count) + hint.what + hint.fix + "\n";
    return lines;
}
