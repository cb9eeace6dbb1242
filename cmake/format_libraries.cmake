# {fmt} (text formatting) and nlohmann-json (the JSON the tools print) as fmt::fmt and
# nlohmann_json::nlohmann_json. Debian has no MinGW builds of them, so the Windows cross build
# takes the host's headers: both work header-only (fmt with FMT_HEADER_ONLY). They are copied
# into the build tree first, so that no other host header can be found beside them.
if(NOT CMAKE_CROSSCOMPILING)
    find_package(fmt REQUIRED)
    find_package(nlohmann_json 3.10 REQUIRED)
    return()
endif()

set(vornik_host_headers ${CMAKE_BINARY_DIR}/host-headers)
foreach(library fmt nlohmann)
    find_path(vornik_${library}_include ${library} PATHS /usr/include NO_DEFAULT_PATH
              NO_CMAKE_FIND_ROOT_PATH)
    if(NOT vornik_${library}_include)
        message(FATAL_ERROR "the host's ${library} headers are missing (scripts/install-deps)")
    endif()
    file(COPY ${vornik_${library}_include}/${library} DESTINATION ${vornik_host_headers})
endforeach()

add_library(fmt::fmt INTERFACE IMPORTED)
target_include_directories(fmt::fmt SYSTEM INTERFACE ${vornik_host_headers})
target_compile_definitions(fmt::fmt INTERFACE FMT_HEADER_ONLY)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${vornik_host_headers})
