# CLI11 for the Windows cross build. It is header-only, so the build
# machine's headers serve; they are reached through a folder of their own,
# since /usr/include itself holds the build machine's C library, which must
# not shadow MinGW's.
set(cli11_root ${CMAKE_BINARY_DIR}/cli11-include)
file(MAKE_DIRECTORY ${cli11_root})
file(CREATE_LINK /usr/include/CLI ${cli11_root}/CLI SYMBOLIC)
if(NOT TARGET CLI11::CLI11)
    add_library(CLI11::CLI11 INTERFACE IMPORTED)
    set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${cli11_root})
endif()
