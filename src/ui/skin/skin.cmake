# The skin: skingen draws every image of skin_names.cmake at build time, rcc compiles them into
# the static library vornik_skin, and skin.h looks them up by name.
#
# Provides:
#   vornik_skin / vornik::skin  static library: the compiled images and skinPixmap() & co.
#   VORNIK_SKIN_DIR             directory of the drawn PNGs and their skin.qrc
#   VORNIK_SKIN_FILES           the PNG paths, VORNIK_SKIN_QRC the resource file (both generated),
#                               for a target that wants to compile them itself
# For cross builds, set VORNIK_SKINGEN_EXECUTABLE to a skingen built for the host.
include_guard(GLOBAL)

include(${CMAKE_CURRENT_LIST_DIR}/skin_names.cmake)

if(NOT TARGET Qt6::Gui)
    find_package(Qt6 REQUIRED COMPONENTS Gui)
endif()

set(VORNIK_SKINGEN_EXECUTABLE "" CACHE FILEPATH "skingen built for the host (cross builds only)")
if(VORNIK_SKINGEN_EXECUTABLE)
    set(vornik_skingen ${VORNIK_SKINGEN_EXECUTABLE})
elseif(CMAKE_CROSSCOMPILING)
    message(FATAL_ERROR "Cross build: set VORNIK_SKINGEN_EXECUTABLE to a host build of skingen")
else()
    if(NOT TARGET skingen)
        get_filename_component(vornik_skingen_source ${CMAKE_CURRENT_LIST_DIR}/../../../tools/skingen
                               ABSOLUTE)
        add_subdirectory(${vornik_skingen_source} ${CMAKE_BINARY_DIR}/tools/skingen)
    endif()
    set(vornik_skingen skingen)
endif()

set(VORNIK_SKIN_DIR ${CMAKE_CURRENT_BINARY_DIR}/skin)
set(VORNIK_SKIN_QRC ${VORNIK_SKIN_DIR}/skin.qrc)
set(VORNIK_SKIN_FILES)
foreach(vornik_skin_entry IN LISTS VORNIK_SKIN_IMAGES)
    string(REGEX REPLACE "=.*$" "" vornik_skin_name "${vornik_skin_entry}")
    string(TOLOWER "${vornik_skin_name}" vornik_skin_name)
    list(APPEND VORNIK_SKIN_FILES ${VORNIK_SKIN_DIR}/${vornik_skin_name}.png)
endforeach()

add_custom_command(
    OUTPUT ${VORNIK_SKIN_FILES} ${VORNIK_SKIN_QRC}
    COMMAND ${vornik_skingen} ${VORNIK_SKIN_DIR} ${VORNIK_SKIN_IMAGES}
    DEPENDS ${vornik_skingen} ${CMAKE_CURRENT_LIST_DIR}/skin_names.cmake
    COMMENT "Drawing the skin images"
    VERBATIM)

# rcc run directly: the resource file is generated, so its inputs are known here, not by parsing.
set(vornik_skin_rcc_source ${CMAKE_CURRENT_BINARY_DIR}/qrc_skin.cpp)
add_custom_command(
    OUTPUT ${vornik_skin_rcc_source}
    COMMAND Qt6::rcc --name skin --output ${vornik_skin_rcc_source} ${VORNIK_SKIN_QRC}
    DEPENDS ${VORNIK_SKIN_QRC} ${VORNIK_SKIN_FILES} Qt6::rcc
    COMMENT "Compiling the skin images"
    VERBATIM)
set_source_files_properties(${vornik_skin_rcc_source} PROPERTIES SKIP_AUTOMOC ON SKIP_AUTOUIC ON
                                                                 SKIP_AUTORCC ON)

add_library(vornik_skin STATIC
    ${CMAKE_CURRENT_LIST_DIR}/skin.cpp
    ${CMAKE_CURRENT_LIST_DIR}/skin.h
    ${vornik_skin_rcc_source}
)
target_link_libraries(vornik_skin PUBLIC vornik_options Qt6::Gui)
set_target_properties(vornik_skin PROPERTIES VORNIK_SKIN_DIR ${VORNIK_SKIN_DIR})
add_library(vornik::skin ALIAS vornik_skin)
