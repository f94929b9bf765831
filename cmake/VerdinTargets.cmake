# How Verdin's targets are made: warnings on every target, and one library
# per layer folder whose include root holds nothing but that folder.

option(VERDIN_WERROR "Treat compiler warnings as errors" OFF)
option(VERDIN_CHECK_HEADERS "Compile every header alone, with the tests" OFF)

function(verdin_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    set_target_properties(${target} PROPERTIES COMPILE_WARNING_AS_ERROR ${VERDIN_WERROR})
endfunction()

# Headers are included as "folder/Header.h" through an include root that
# links to the calling folder alone, so only the folder's own target and what
# links it can include them: an include of a layer above fails to compile.
function(verdin_include_root target scope)
    get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    set(root ${PROJECT_BINARY_DIR}/include-roots/${folder})
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
    target_include_directories(${target} ${scope} ${root})
endfunction()

# verdin_layer(NAME SOURCES... [DEPENDS LIBRARY...])
# The static library verdin::NAME of the calling folder, linking only the
# layers below it.
function(verdin_layer name)
    cmake_parse_arguments(PARSE_ARGV 1 layer "" "" "SOURCES;DEPENDS")
    add_library(verdin_${name} STATIC ${layer_SOURCES})
    add_library(verdin::${name} ALIAS verdin_${name})
    verdin_include_root(verdin_${name} PUBLIC)
    target_link_libraries(verdin_${name} PUBLIC ${layer_DEPENDS})
    verdin_warnings(verdin_${name})
    verdin_check_headers(verdin_${name} verdin_${name})
endfunction()

# verdin_check_headers(NAME LIBRARY...)
# Compiles every header of the calling folder alone in a source of its own,
# with the include roots of the libraries given, so that none depends on
# what happened to be included before it. Built with the tests when
# VERDIN_CHECK_HEADERS is on: one build of each change needs it, not every one.
function(verdin_check_headers name)
    if(NOT VERDIN_BUILD_TESTS OR NOT VERDIN_CHECK_HEADERS)
        return()
    endif()
    get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    file(GLOB_RECURSE headers CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    set(sources)
    foreach(header IN LISTS headers)
        set(source ${CMAKE_CURRENT_BINARY_DIR}/header-check/${header}.cpp)
        file(CONFIGURE OUTPUT ${source} CONTENT "#include \"${folder}/${header}\"\n")
        list(APPEND sources ${source})
    endforeach()
    add_library(${name}_headers OBJECT ${sources})
    verdin_include_root(${name}_headers PRIVATE)
    target_link_libraries(${name}_headers PRIVATE ${ARGN})
    verdin_warnings(${name}_headers)
endfunction()
