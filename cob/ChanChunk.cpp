#include "cob/ChanChunk.h"

#include "base/NumberFormat.h"
#include "base/ReportLog.h"
#include "cob/CobFile.h"
#include "cob/CobRecords.h"

#include <algorithm>

namespace verdin {

namespace {

std::size_t KeySize(ChannelKind kind)
{
    switch (kind) {
    case ChannelKind::kMove:
        return 32;
    case ChannelKind::kRotate:
        return 24;
    default:
        return 20;
    }
}

ChannelKey ReadKey(CobFile& file, ChannelKind kind)
{
    ChannelKey key;
    key.frame = ReadFloat(file);
    key.acc = ReadFloat(file);
    if (kind == ChannelKind::kMove) {
        key.tension = ReadFloat(file);
        key.continuity = ReadFloat(file);
        key.bias = ReadFloat(file);
    }
    const std::size_t values = kind == ChannelKind::kRotate ? 4 : 3;
    for (std::size_t i = 0; i < values; ++i)
        key.value[i] = ReadFloat(file);
    return key;
}

// Where the body ends: at its data length, or at the end of the file when
// that comes first or the chunk gives no length.
std::size_t BodyEnd(const CobFile& file, std::int32_t length)
{
    const std::uint64_t fileEnd = std::uint64_t{file.Position()} + file.Remaining();
    if (length < 0)
        return static_cast<std::size_t>(fileEnd);
    return static_cast<std::size_t>(
        std::min(std::uint64_t{file.Position()} + static_cast<std::uint32_t>(length), fileEnd));
}

}  // namespace

ChannelKind ChannelKindNamed(std::string_view type)
{
    if (type == "Move")
        return ChannelKind::kMove;
    if (type == "Rotate")
        return ChannelKind::kRotate;
    if (type == "Vertex")
        return ChannelKind::kVertex;
    return ChannelKind::kOther;
}

bool CChanChunk::Read(CobFile& file, ReportLog& report)
{
    CChunk::Read(file, report);
    if (!AcceptsVersion(report))
        return false;
    const std::size_t bodyStart = file.Position();
    if (ReadBody(file, BodyEnd(file, m_nLength)))
        return true;
    report.AppendLine("Damaged Chan chunk " + FormatInt(m_nId) + " passed over.");
    file.Seek(bodyStart);
    return false;
}

// False when the body does not hold what it announces.
bool CChanChunk::ReadBody(CobFile& file, std::size_t bodyEnd)
{
    m_name = ReadCobString(file).Shown();
    m_kind = ChannelKindNamed(ReadCobString(file).Shown());
    // Keys of an unknown type cannot be sized: only a data length passes
    // over them.
    if (m_kind == ChannelKind::kOther)
        return m_nLength >= 0 && file.Position() <= bodyEnd;
    if (m_kind == ChannelKind::kVertex)
        m_nVertex = ReadInt32(file);
    m_nFlags = ReadInt16(file);
    const std::int16_t count = ReadInt16(file);
    if (count < 0 || file.Position() > bodyEnd ||
        static_cast<std::size_t>(count) * KeySize(m_kind) > bodyEnd - file.Position())
        return false;
    m_keys.reserve(static_cast<std::size_t>(count));
    for (std::int16_t i = 0; i < count; ++i)
        m_keys.push_back(ReadKey(file, m_kind));
    return true;
}

bool CChanChunk::AcceptsVersion(ReportLog& report) const
{
    if (m_nMajor == 0 && m_nMinor == 12)
        return true;
    report.AppendLine("No support Chan chunk version " + FormatInt(m_nMajor) + "." + FormatInt(m_nMinor));
    return false;
}

}  // namespace verdin
