#include "xof/Document.h"

namespace verdin::xof {

bool IsInteger(Primitive type)
{
    switch (type) {
    case Primitive::Word:
    case Primitive::Dword:
    case Primitive::Char:
    case Primitive::Uchar:
    case Primitive::Sword:
    case Primitive::Sdword:
        return true;
    default:
        return false;
    }
}

bool IsReal(Primitive type)
{
    return type == Primitive::Float || type == Primitive::Double;
}

const Template* Document::FindTemplate(std::string_view name) const
{
    for (auto it = templates.rbegin(); it != templates.rend(); ++it) {
        if (it->name == name) {
            return &*it;
        }
    }
    return nullptr;
}

}  // namespace verdin::xof
