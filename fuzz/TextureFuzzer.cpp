// Runs the bitmap expander or the PPM converter, as the first byte says, on
// arbitrary bytes as a bitmap file.

#include "FuzzFolder.h"

#include "convert/ConvertJob.h"
#include "texture/BitmapExpander.h"
#include "texture/BmpToPpmConverter.h"

#include <cstdint>
#include <fstream>

namespace {

class NullReport : public verdin::ReportLog {
public:
    void AppendText(std::string_view) override {}
    void ClearText() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const FuzzFolder folder;
    const std::string bmp = folder.Path("texture.bmp");
    {
        std::ofstream out(bmp, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    NullReport report;
    std::atomic<int> cancel{0};
    verdin::OptionFlags options;
    verdin::ConvertParams params;
    params.report = &report;
    params.cancel = &cancel;
    params.options = &options;
    verdin::CConvertJob job(params);
    verdin::TextureScale scale;
    if (data[0] & 1)
        verdin::BmpToPpmConverter(job, bmp);
    else if (verdin::BitmapExpander(job, bmp, scale) == 1)
        verdin::BmpToPpmConverter(job, bmp);
    return 0;
}
