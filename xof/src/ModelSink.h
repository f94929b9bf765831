#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "xof/Document.h"

namespace verdin::xof {

// The readers hand the data objects they meet to a sink, in file order:
//
//   void BeginObject(std::string_view templateName, std::string_view name, const std::optional<Guid>&);
//   void Integer(Primitive, std::uint32_t);   // the values of its members, depth first
//   void Real(Primitive, double);
//   void Text(Primitive, std::string);
//   void Reserve(std::uint64_t values);       // that many values are likely to follow
//   void Reference(std::string_view name, const std::optional<Guid>&);
//   void EndObject();
//
// Children begin after the last value of their parent. This sink builds the
// document model; BinarySink writes the binary form at once.
class ModelSink {
public:
    explicit ModelSink(std::vector<DataObject>& objects) : m_objects(objects) {}

    void BeginObject(std::string_view templateName, std::string_view name, const std::optional<Guid>& guid)
    {
        DataObject& object = Siblings().emplace_back();
        object.templateName = templateName;
        object.name = name;
        object.guid = guid;
        // Stays valid: nothing is added to its siblings until it ends.
        m_open.push_back(&object);
    }

    void Integer(Primitive type, std::uint32_t value) { Current().values.push_back(Value{type, value, 0.0}); }
    void Real(Primitive type, double value) { Current().values.push_back(Value{type, 0, value}); }

    void Text(Primitive type, std::string text)
    {
        DataObject& object = Current();
        object.values.push_back(Value{type, static_cast<std::uint32_t>(object.texts.size()), 0.0});
        object.texts.push_back(std::move(text));
    }

    // Growing by at least doubling keeps many small arrays from each copying
    // the whole value list.
    void Reserve(std::uint64_t values)
    {
        std::vector<Value>& list = Current().values;
        const std::size_t wanted = list.size() + static_cast<std::size_t>(values);
        if (wanted > list.capacity()) {
            list.reserve(std::max(wanted, 2 * list.capacity()));
        }
    }

    void Reference(std::string_view name, const std::optional<Guid>& guid)
    {
        DataObject& reference = Siblings().emplace_back();
        reference.isReference = true;
        reference.name = name;
        reference.guid = guid;
    }

    void EndObject() { m_open.pop_back(); }

private:
    std::vector<DataObject>& Siblings() { return m_open.empty() ? m_objects : m_open.back()->children; }
    DataObject& Current() { return *m_open.back(); }

    std::vector<DataObject>& m_objects;
    std::vector<DataObject*> m_open;
};

}  // namespace verdin::xof
