# Tests of the presentation core (option file, language tables, engineer terms); no GUI.
# Included from tests/ui/CMakeLists.txt.

foreach(test ini_file_core_test options_core_test language_core_test engineer_terms_core_test
             ui_parsers_fuzz_core_test)
    vornik_add_test(${test} core ${CMAKE_CURRENT_LIST_DIR}/${test}.cpp)
    target_link_libraries(${test} PRIVATE vornik_core)
endforeach()

# The layout and language files must be what their generators write.
find_package(Python3 COMPONENTS Interpreter QUIET)
if(Python3_Interpreter_FOUND)
    set(generated_checks layout_files_current language_files_current)
    set(generators layoutgen/make_layout.py langgen/make_lang.py)
    foreach(check generator IN ZIP_LISTS generated_checks generators)
        add_test(NAME ${check}
                 COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/../../tools/${generator}
                         --check)
        set_tests_properties(${check} PROPERTIES LABELS core)
    endforeach()
endif()
