#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "xof/Document.h"
#include "xof/Visitor.h"

namespace verdin::xof {

// The sink (see ModelSink.h) that hands what the readers meet to a visitor.
class VisitorSink {
public:
    explicit VisitorSink(ObjectVisitor& visitor) : m_visitor(visitor) {}

    void BeginObject(std::string_view templateName, std::string_view name, const std::optional<Guid>&)
    {
        m_visitor.BeginObject(templateName, name);
    }
    void Integer(Primitive, std::uint32_t value) { m_visitor.Integer(value); }
    void Real(Primitive, double value) { m_visitor.Real(value); }
    void Text(Primitive, std::string text) { m_visitor.Text(std::move(text)); }
    void Reserve(std::uint64_t) {}
    void Reference(std::string_view name, const std::optional<Guid>&) { m_visitor.Reference(name); }
    void EndObject() { m_visitor.EndObject(); }

private:
    ObjectVisitor& m_visitor;
};

}  // namespace verdin::xof
