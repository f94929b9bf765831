#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "xof/Document.h"

namespace verdin::xof {

// Room for a writer's whole output up front: big meshes would otherwise be
// copied each time the output grows. `perValue` and `perText` are what a value
// and a text cost in the form written, beyond the text's own bytes.
inline std::size_t OutputSizeHint(const std::vector<DataObject>& objects, std::size_t perValue, std::size_t perText)
{
    std::size_t size = 0;
    for (const DataObject& object : objects) {
        size += 64 + object.name.size() + object.templateName.size() + perValue * object.values.size();
        for (const std::string& text : object.texts) {
            size += perText + text.size();
        }
        size += OutputSizeHint(object.children, perValue, perText);
    }
    return size;
}

}  // namespace verdin::xof
