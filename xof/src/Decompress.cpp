// The input is read through pointers to const.
#define ZLIB_CONST
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>

#include "xof/Xof.h"
#include "xof/src/BinaryInput.h"
#include "xof/src/Decimal.h"
#include "xof/src/Failure.h"
#include "xof/src/Header.h"

namespace verdin::xof {

namespace {

// A compressed file: after its header, the size of the whole decompressed
// file (header included) in 4 bytes, then blocks. Each block: its
// decompressed size and its compressed size (counting the signature) in 2
// bytes each, the signature "CK", and a raw deflate stream that may refer
// back into the output of the blocks before it.
constexpr std::size_t kBlockLimit = std::size_t{1} << 15;  // decompressed bytes of a block, the window's size
// No deflate stream yields more than this many bytes per byte, plus one
// longest match for the bits of its block header.
constexpr std::uint64_t kMaxRatio = 1032;
constexpr std::uint64_t kMaxMatch = 258;

struct Block {
    std::size_t at = 0;  // the offset of its sizes
    std::size_t size = 0;
    std::string_view deflate;
};

[[noreturn]] void Fail(std::size_t offset, ErrorCode code, const std::string& message)
{
    throw ParseFailure{Error{code, "byte " + Decimal(offset) + ": " + message, offset, 0, 0}};
}

// The next block, its sizes checked against the input.
Block NextBlock(BinaryInput& input)
{
    Block block;
    block.at = input.Offset();
    if (input.BytesLeft() < 6) {
        Fail(block.at, ErrorCode::Truncated, "the input ends inside a block's header");
    }
    block.size = input.Word();
    const std::uint16_t packed = input.Word();
    if (block.size == 0 || block.size > kBlockLimit) {
        Fail(block.at, ErrorCode::OutOfRange,
             "a block of " + Decimal(block.size) + " bytes (1 to " + Decimal(kBlockLimit) + " are possible)");
    }
    if (packed < 2 || packed > input.BytesLeft()) {
        Fail(block.at + 2, ErrorCode::Truncated,
             "a block's compressed size of " + Decimal(packed) + " bytes goes beyond the input");
    }
    if (input.Bytes(2) != "CK") {
        Fail(block.at + 4, ErrorCode::Syntax, "expected the block signature 'CK'");
    }
    block.deflate = input.Bytes(packed - 2u);
    if (block.size > kMaxRatio * block.deflate.size() + kMaxMatch) {
        Fail(block.at, ErrorCode::OutOfRange,
             "a block of " + Decimal(block.size) + " bytes cannot come from " + Decimal(block.deflate.size()) +
                 " compressed bytes");
    }
    return block;
}

// The size of the decompressed file, once every block's sizes have been
// checked and found to add up to the size the file declares: before anything
// is decompressed or allocated for the output.
std::size_t CheckedTotal(std::string_view bytes)
{
    BinaryInput input(bytes, kHeaderSize);
    if (input.BytesLeft() < 4) {
        Fail(kHeaderSize, ErrorCode::Truncated, "the input ends inside the decompressed size");
    }
    const std::uint32_t declared = input.Dword();
    std::uint64_t total = kHeaderSize;
    while (!input.AtEnd()) {
        total += NextBlock(input).size;
    }
    if (total != declared) {
        Fail(kHeaderSize, ErrorCode::OutOfRange,
             "the file declares " + Decimal(declared) + " decompressed bytes, its blocks hold " + Decimal(total));
    }
    return static_cast<std::size_t>(total);
}

class Inflater {
public:
    Inflater()
    {
        if (inflateInit2(&m_stream, -MAX_WBITS) != Z_OK) {
            throw std::bad_alloc();
        }
    }
    ~Inflater() { inflateEnd(&m_stream); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    // Decompresses the block to the end of `out`, with up to a window of
    // what `out` holds after `start` as the dictionary.
    void Block(const Block& block, std::string& out, std::size_t start)
    {
        inflateReset(&m_stream);
        const std::size_t history = std::min(out.size() - start, kBlockLimit);
        if (history != 0) {
            inflateSetDictionary(&m_stream, reinterpret_cast<const Bytef*>(out.data() + out.size() - history),
                                 static_cast<uInt>(history));
        }
        const std::size_t begin = out.size();
        out.resize(begin + block.size);
        m_stream.next_in = reinterpret_cast<const Bytef*>(block.deflate.data());
        m_stream.avail_in = static_cast<uInt>(block.deflate.size());
        m_stream.next_out = reinterpret_cast<Bytef*>(out.data() + begin);
        m_stream.avail_out = static_cast<uInt>(block.size);
        const int result = inflate(&m_stream, Z_FINISH);
        if (result == Z_STREAM_END && m_stream.avail_out == 0 && m_stream.avail_in == 0) {
            return;
        }
        std::string why;
        if (result == Z_DATA_ERROR || result == Z_NEED_DICT) {
            why = "corrupt compressed data (" + std::string(m_stream.msg ? m_stream.msg : "no detail") + ")";
        } else if (result != Z_STREAM_END) {
            why = "the compressed data does not end within the block's " + Decimal(block.size) + " bytes";
        } else if (m_stream.avail_out != 0) {
            why = "the compressed data ends before the block's " + Decimal(block.size) + " bytes";
        } else {
            why = "bytes follow the compressed data inside the block";
        }
        Fail(block.at, ErrorCode::Syntax, why);
    }

private:
    z_stream m_stream{};
};

}  // namespace

Result<std::string> Decompress(std::string_view bytes)
{
    const auto header = ReadFileHeader(bytes);
    if (!header) {
        return Error{ErrorCode::BadHeader, "byte 0: not a DirectX file header", 0, 0, 0};
    }
    if (header->format != "tzip" && header->format != "bzip") {
        return Error{ErrorCode::BadHeader,
                     "byte 8: not a compressed file (format '" + std::string(header->format) + "')", 8, 0, 0};
    }
    try {
        std::string out;
        out.reserve(CheckedTotal(bytes));
        out += bytes.substr(0, 8);
        out += header->format == "tzip" ? "txt " : "bin ";
        out += bytes.substr(12, 4);
        Inflater inflater;
        for (BinaryInput input(bytes, kHeaderSize + 4); !input.AtEnd();) {
            inflater.Block(NextBlock(input), out, kHeaderSize);
        }
        return out;
    } catch (ParseFailure& failure) {
        return std::move(failure.error);
    }
}

}  // namespace verdin::xof
