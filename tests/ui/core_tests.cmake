# Tests of the presentation core (option file, language tables, engineer terms); no GUI.
# Included from tests/ui/CMakeLists.txt.

foreach(test ini_file_core_test options_core_test language_core_test engineer_terms_core_test
             ui_parsers_fuzz_core_test)
    vornik_add_test(${test} core ${CMAKE_CURRENT_LIST_DIR}/${test}.cpp)
    target_link_libraries(${test} PRIVATE vornik_core)
endforeach()

# The language files must be what their generator writes.
find_package(Python3 COMPONENTS Interpreter QUIET)
if(Python3_Interpreter_FOUND)
    add_test(NAME language_files_current
             COMMAND ${Python3_EXECUTABLE}
                     ${CMAKE_CURRENT_LIST_DIR}/../../tools/langgen/make_lang.py --check)
    set_tests_properties(language_files_current PROPERTIES LABELS core)
endif()
