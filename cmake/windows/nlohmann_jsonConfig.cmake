# nlohmann/json for the Windows cross build: header-only, so the build
# machine's headers serve, reached through a folder of their own as CLI11's.
set(nlohmann_json_root ${CMAKE_BINARY_DIR}/nlohmann-json-include)
file(MAKE_DIRECTORY ${nlohmann_json_root})
file(CREATE_LINK /usr/include/nlohmann ${nlohmann_json_root}/nlohmann SYMBOLIC)
if(NOT TARGET nlohmann_json::nlohmann_json)
    add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
    set_target_properties(nlohmann_json::nlohmann_json PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${nlohmann_json_root})
endif()
