#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <variant>

namespace verdin::xof {

enum class ErrorCode {
    BadHeader,        // not a DirectX file of a kind this library reads
    Syntax,           // a token where the grammar wants another
    BadNumber,        // a number that does not parse, or an integer where a real is not allowed
    UnknownTemplate,  // a data object, member or reference of a template nobody declared
    BadTemplate,      // a template definition that cannot be used
    OutOfRange,       // a value beyond its member's type, or a count beyond what the input holds
    Truncated,        // the input ends inside a construct
    TooDeep,          // nesting beyond the limits that keep recursion bounded
};

// What went wrong and where. Text input reports a line and a column (both
// counted from 1, the column in bytes); binary input a byte offset. The
// message already names the position.
struct Error {
    ErrorCode code = ErrorCode::Syntax;
    std::string message;
    std::size_t offset = 0;
    std::size_t line = 0;
    std::size_t column = 0;
};

// A value or the error that prevented it.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_content(std::move(value)) {}
    Result(Error error) : m_content(std::move(error)) {}

    [[nodiscard]] bool HasValue() const { return m_content.index() == 0; }
    explicit operator bool() const { return HasValue(); }

    // Only when HasValue().
    [[nodiscard]] T& Value() & { return std::get<0>(m_content); }
    [[nodiscard]] const T& Value() const& { return std::get<0>(m_content); }
    [[nodiscard]] T&& Value() && { return std::get<0>(std::move(m_content)); }

    // Only when !HasValue().
    [[nodiscard]] const Error& GetError() const { return std::get<1>(m_content); }

private:
    std::variant<T, Error> m_content;
};

}  // namespace verdin::xof
