#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "xof/Document.h"
#include "xof/Result.h"
#include "xof/src/Quoted.h"
#include "xof/src/TemplateRegistry.h"

namespace verdin::xof {

// The values of the single integer members of one template instance, by
// member index, for the arrays they size. Most templates are small enough for
// the inline slots, which keeps the per-element cost of big arrays low.
class CountSlots {
public:
    explicit CountSlots(std::size_t members)
    {
        if (members > m_inline.size()) {
            m_spill.resize(members);
        }
    }
    std::uint32_t& operator[](std::size_t member) { return m_spill.empty() ? m_inline[member] : m_spill[member]; }

private:
    std::array<std::uint32_t, 8> m_inline{};
    std::vector<std::uint32_t> m_spill;
};

// Reads the values of a template's members, depth first, from a source and
// hands them to a sink (see ModelSink.h). The source reads one value of a
// primitive type, bounds array sizes by what its input can still hold, and
// reports failures (it throws):
//
//   std::uint32_t ReadInteger(Primitive);
//   double ReadReal(Primitive);
//   std::string ReadText(Primitive);
//   std::uint64_t ValuesLeft() const;        // an upper bound
//   std::uint64_t ReservableValues() const;  // how many to make room for at most
//   [[noreturn]] void Fail(ErrorCode, std::string);
template <typename Source, typename Sink>
class MemberWalk {
public:
    MemberWalk(const TemplateRegistry& registry, Source& source, Sink& sink)
        : m_registry(registry), m_source(source), m_sink(sink)
    {
    }

    void Read(std::size_t templateIndex)
    {
        const Template& definition = m_registry.At(templateIndex);
        CountSlots counts(definition.members.size());
        for (std::size_t i = 0; i < definition.members.size(); ++i) {
            const Member& member = definition.members[i];
            const std::uint64_t elements = ElementCount(member, counts);
            if (elements > 1) {
                const std::uint64_t valuesEach =
                    member.primitive ? 1 : m_registry.MinValues(m_registry.MemberTemplate(templateIndex, i));
                Reserve(elements, valuesEach);
            }
            std::uint32_t last = 0;
            for (std::uint64_t k = 0; k < elements; ++k) {
                last = ReadElement(templateIndex, i, member);
            }
            counts[i] = last;
        }
    }

private:
    std::uint64_t ElementCount(const Member& member, CountSlots& counts)
    {
        std::uint64_t elements = 1;
        const std::uint64_t limit = m_source.ValuesLeft();
        for (const Dimension& dimension : member.dimensions) {
            const std::uint64_t size = dimension.member ? counts[*dimension.member] : dimension.size;
            if (size != 0 && elements > limit / size) {
                m_source.Fail(ErrorCode::OutOfRange,
                              "array " + Quoted(member.name) + " needs more values than the input holds");
            }
            elements *= size;
        }
        return elements;
    }

    void Reserve(std::uint64_t elements, std::uint64_t valuesEach)
    {
        const std::uint64_t limit = m_source.ReservableValues();
        m_sink.Reserve(elements > limit / valuesEach ? limit : elements * valuesEach);
    }

    // The value read when it is an integer, for the arrays it may size.
    std::uint32_t ReadElement(std::size_t templateIndex, std::size_t memberIndex, const Member& member)
    {
        if (!member.primitive) {
            Read(m_registry.MemberTemplate(templateIndex, memberIndex));
            return 0;
        }
        const Primitive type = *member.primitive;
        if (IsInteger(type)) {
            const std::uint32_t value = m_source.ReadInteger(type);
            m_sink.Integer(type, value);
            return value;
        }
        if (IsReal(type)) {
            m_sink.Real(type, m_source.ReadReal(type));
        } else {
            m_sink.Text(type, m_source.ReadText(type));
        }
        return 0;
    }

    const TemplateRegistry& m_registry;
    Source& m_source;
    Sink& m_sink;
};

}  // namespace verdin::xof
