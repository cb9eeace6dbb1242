# Each source folder is one library, and its headers are reachable as "<folder>/name.h" only
# from the targets that link it: the folder gets an include directory of its own in the build
# tree holding just a link to it. A file that includes a folder its target does not link
# fails to compile, so the link graph is the include graph.
function(vornik_layer_headers target folder)
    set(root ${CMAKE_BINARY_DIR}/include/${folder})
    cmake_path(GET folder FILENAME name)
    if(NOT EXISTS ${root}/${name})
        file(MAKE_DIRECTORY ${root})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${root}/${name} SYMBOLIC)
    endif()
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        target_include_directories(${target} INTERFACE ${root})
    else()
        target_include_directories(${target} PUBLIC ${root})
    endif()
endfunction()
