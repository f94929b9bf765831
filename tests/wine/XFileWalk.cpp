// Reads .x files with the DirectX file reader of the system (d3dxof.dll;
// under Wine, Wine's own), a reader that shares no code with Verdin. Every
// data object is read, children and references too, and printed one a line,
// indented by depth: its template, its name ("-" when none), its data size in
// bytes, and "ref" for a reference. Each file ends with a line
// "FILE: N objects", or "FILE: CALL failed: HRESULT" when the reader refuses it.
// The files after --mesh-templates are read with the 19 templates of meshes
// alone registered, as by a program that registers no more: they must declare
// any other they use.
//   XFileWalk.exe FILE.x... [--mesh-templates FILE.x...]
// Exits 1 when any file failed.
#include <windows.h>

#include <dxfile.h>
#include <wrl/client.h>

#include <cctype>
#include <cstdio>
#include <iterator>
#include <map>
#include <string>

#include "StandardTemplates.h"

namespace {

using Microsoft::WRL::ComPtr;

struct Failure {
    const char* call;
    HRESULT result;
};

void Check(HRESULT result, const char* call)
{
    if (FAILED(result)) {
        throw Failure{call, result};
    }
}

std::string GuidText(const GUID& guid)
{
    char text[40];
    std::snprintf(text, sizeof text, "%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X", guid.Data1, guid.Data2,
                  guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                  guid.Data4[6], guid.Data4[7]);
    return text;
}

// Template names by GUID, read from the registered templates' text so that
// the two cannot disagree.
std::map<std::string, std::string> TemplateNames()
{
    std::map<std::string, std::string> names;
    const std::string text = kStandardTemplates;
    for (size_t at = text.find("template "); at != std::string::npos; at = text.find("template ", at + 1)) {
        const size_t nameStart = at + 9;
        const size_t nameEnd = text.find(' ', nameStart);
        const size_t guidStart = text.find('<', nameEnd) + 1;
        std::string guid = text.substr(guidStart, text.find('>', guidStart) - guidStart);
        for (char& c : guid) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        names[guid] = text.substr(nameStart, nameEnd - nameStart);
    }
    return names;
}

// The reader's names of its errors, DXFILEERR_BADOBJECT (850) onwards.
const char* const kErrorNames[] = {
    "BADOBJECT",     "BADVALUE",      "BADTYPE",        "BADSTREAMHANDLE",     "BADALLOC",
    "NOTFOUND",      "NOTDONEYET",    "FILENOTFOUND",   "RESOURCENOTFOUND",    "URLNOTFOUND",
    "BADRESOURCE",   "BADFILETYPE",   "BADFILEVERSION", "BADFILEFLOATSIZE",    "BADFILECOMPRESSIONTYPE",
    "BADFILE",       "PARSEERROR",    "NOTEMPLATE",     "BADARRAYSIZE",        "BADDATAREFERENCE",
    "INTERNALERROR", "NOMOREOBJECTS", "BADINTRINSICS",  "NOMORESTREAMHANDLES", "NOMOREDATA",
    "BADCACHEFILE",  "NOINTERNET"};

void PrintFailure(const char* path, const Failure& failure)
{
    const unsigned code = HRESULT_CODE(failure.result) - 850;
    const bool named = HRESULT_FACILITY(failure.result) == _FACDD && code < std::size(kErrorNames);
    std::printf("%s: %s failed: 0x%08lX%s%s\n", path, failure.call, static_cast<unsigned long>(failure.result),
                named ? " DXFILEERR_" : "", named ? kErrorNames[code] : "");
}

template <typename Interface>
ComPtr<Interface> Query(IDirectXFileObject* object, const IID& id)
{
    ComPtr<Interface> result;
    object->QueryInterface(id, reinterpret_cast<void**>(result.GetAddressOf()));
    return result;
}

class Walker {
public:
    int objects = 0;

    void Object(IDirectXFileData* data, int depth, const char* mark)
    {
        ++objects;
        const GUID* type = nullptr;
        Check(data->GetType(&type), "GetType");
        DWORD length = 0;
        Check(data->GetName(nullptr, &length), "GetName");
        std::string name(length, '\0');
        if (length > 0) {
            Check(data->GetName(name.data(), &length), "GetName");
        }
        name.resize(std::char_traits<char>::length(name.c_str()));
        DWORD size = 0;
        void* bytes = nullptr;
        Check(data->GetData(nullptr, &size, &bytes), "GetData");
        const std::string guid = GuidText(*type);
        const auto known = names_.find(guid);
        std::printf("%*s%s %s %lu%s\n", 2 * depth, "", known != names_.end() ? known->second.c_str() : guid.c_str(),
                    name.empty() ? "-" : name.c_str(), size, mark);
    }

    // A data object and, below it, its children: data objects, references
    // (printed, not followed: they point at an object printed elsewhere) and
    // binary objects.
    void Tree(IDirectXFileData* data, int depth)
    {
        Object(data, depth, "");
        ComPtr<IDirectXFileObject> child;
        HRESULT result;
        while ((result = data->GetNextObject(child.ReleaseAndGetAddressOf())) == DXFILE_OK) {
            if (auto childData = Query<IDirectXFileData>(child.Get(), IID_IDirectXFileData)) {
                Tree(childData.Get(), depth + 1);
            } else if (auto reference = Query<IDirectXFileDataReference>(child.Get(), IID_IDirectXFileDataReference)) {
                ComPtr<IDirectXFileData> target;
                Check(reference->Resolve(target.GetAddressOf()), "Resolve");
                Object(target.Get(), depth + 1, " ref");
            } else if (auto binary = Query<IDirectXFileBinary>(child.Get(), IID_IDirectXFileBinary)) {
                ++objects;
                DWORD size = 0;
                Check(binary->GetSize(&size), "GetSize");
                std::printf("%*sbinary - %lu\n", 2 * depth + 2, "", size);
            } else {
                Check(E_NOINTERFACE, "QueryInterface");
            }
        }
        if (result != DXFILEERR_NOMOREOBJECTS) {
            Check(result, "GetNextObject");
        }
    }

private:
    const std::map<std::string, std::string> names_ = TemplateNames();
};

// The registered templates' text: all of it, or up to the first that is not
// a mesh template, since those of meshes lead it.
std::string RegisteredTemplates(bool meshOnly)
{
    const std::string all = kStandardTemplates;
    return meshOnly ? all.substr(0, all.find("template FrameTransformMatrix")) : all;
}

// A reader of its own for each file: Wine's keeps every template the files
// declare in room for 200, which nine of Verdin's files overrun (a crash).
void Walk(const char* path, const std::string& templates)
{
    ComPtr<IDirectXFile> reader;
    Check(DirectXFileCreate(reader.GetAddressOf()), "DirectXFileCreate");
    Check(reader->RegisterTemplates(const_cast<char*>(templates.data()), static_cast<DWORD>(templates.size())),
          "RegisterTemplates");
    ComPtr<IDirectXFileEnumObject> enumerator;
    Check(reader->CreateEnumObject(const_cast<char*>(path), DXFILELOAD_FROMFILE, enumerator.GetAddressOf()),
          "CreateEnumObject");
    Walker walker;
    ComPtr<IDirectXFileData> data;
    HRESULT result;
    while ((result = enumerator->GetNextDataObject(data.ReleaseAndGetAddressOf())) == DXFILE_OK) {
        walker.Tree(data.Get(), 1);
    }
    if (result != DXFILEERR_NOMOREOBJECTS) {
        Check(result, "GetNextDataObject");
    }
    std::printf("%s: %d objects\n", path, walker.objects);
}

}  // namespace

int main(int argc, char** argv)
{
    int failures = 0;
    std::string templates = RegisteredTemplates(false);
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--mesh-templates") {
            templates = RegisteredTemplates(true);
            continue;
        }
        std::printf("%s\n", argv[i]);
        try {
            Walk(argv[i], templates);
        } catch (const Failure& failure) {
            PrintFailure(argv[i], failure);
            ++failures;
        }
    }
    return failures > 0 ? 1 : 0;
}
