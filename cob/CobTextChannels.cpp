#include "cob/CobTextChannels.h"

#include "cob/ChanChunk.h"
#include "cob/CobTextLines.h"

#include <limits>

namespace verdin {

namespace {

constexpr std::int64_t kInt16Min = std::numeric_limits<std::int16_t>::min();
constexpr std::int64_t kInt16Max = std::numeric_limits<std::int16_t>::max();
constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

// "time 0 acc 0 t 0 c 0 b 0 position -0.011608 0 0.24791", or with
// "orientation 1  0 0 0" for a Rotate channel.
ChannelKey ReadKey(CobTextBody& body, ChannelKind kind)
{
    const std::vector<std::string_view> words = SplitWords(body.Next("a key"));
    const std::string_view valueName = kind == ChannelKind::kRotate ? "orientation" : "position";
    const std::size_t values = kind == ChannelKind::kRotate ? 4 : 3;
    std::size_t next = 0;
    const auto number = [&] {
        if (next == words.size())
            body.Fail("a number expected");
        return body.Float(words[next++]);
    };
    ChannelKey key;
    bool timed = false;
    bool placed = false;
    while (next < words.size()) {
        const std::string_view word = words[next++];
        if (word == "time") {
            key.frame = number();
            timed = true;
        } else if (word == "acc") {
            key.acc = number();
        } else if (word == "t") {
            key.tension = number();
        } else if (word == "c") {
            key.continuity = number();
        } else if (word == "b") {
            key.bias = number();
        } else if (word == valueName) {
            for (std::size_t i = 0; i < values; ++i)
                key.value[i] = number();
            placed = true;
        } else {
            body.Fail("unknown key field " + Quoted(word));
        }
    }
    if (!timed || !placed)
        body.Fail(Quoted("time") + " and " + Quoted(valueName) + " expected");
    return key;
}

// "flags 1 frames 23": the flags into the channel, the key count returned.
std::int64_t ReadFlagsAndFrames(CobTextBody& body, std::string_view line, CChanChunk& channel)
{
    const std::vector<std::string_view> words = SplitWords(line);
    if (words.size() < 4 || words[0] != "flags" || words[2] != "frames")
        body.Fail(Quoted("flags <flags> frames <count>") + " expected");
    channel.m_nFlags = static_cast<std::int32_t>(body.Integer(words[1], kInt16Min, kInt16Max));
    return body.Integer(words[3], 0, kInt16Max);
}

}  // namespace

void ReadCobTextChannel(CobTextBody& body, CChanChunk& channel)
{
    channel.m_name = Trimmed(body.After(body.Next(Quoted("Name")), "Name"));
    const std::vector<std::string_view> type = SplitWords(body.After(body.Next(Quoted("type")), "type"));
    if (type.empty())
        body.Fail("a channel type expected");
    channel.m_kind = ChannelKindNamed(type[0]);
    if (channel.m_kind == ChannelKind::kOther)
        return;

    std::string_view line = body.Next(Quoted("flags"));
    if (channel.m_kind == ChannelKind::kVertex && line.starts_with("vertex")) {
        const std::vector<std::string_view> vertex = SplitWords(body.After(line, "vertex"));
        if (vertex.empty())
            body.Fail("a vertex index expected");
        channel.m_nVertex = static_cast<std::int32_t>(body.Integer(vertex[0], kInt32Min, kInt32Max));
        line = body.Next(Quoted("flags"));
    }
    // Keys grow with the lines actually there, never ahead of them.
    const std::int64_t frames = ReadFlagsAndFrames(body, line, channel);
    for (std::int64_t i = 0; i < frames; ++i)
        channel.m_keys.push_back(ReadKey(body, channel.m_kind));
}

}  // namespace verdin
