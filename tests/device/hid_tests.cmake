# HID descriptor parser and Linux hidraw backend tests. Included from tests/device/CMakeLists.txt;
# vornik_add_test (tests/CMakeLists.txt) adds GTest::gtest_main and gtest_discover_tests.

set(VORNIK_HID_DESCRIPTOR_DIR ${CMAKE_CURRENT_LIST_DIR}/../data/hid-descriptors)
cmake_path(NORMAL_PATH VORNIK_HID_DESCRIPTOR_DIR)

vornik_add_test(hid_descriptor_test core ${CMAKE_CURRENT_LIST_DIR}/hid_descriptor_test.cpp)
target_link_libraries(hid_descriptor_test PRIVATE vornik_core)
target_compile_definitions(hid_descriptor_test
                           PRIVATE VORNIK_HID_DESCRIPTOR_DIR="${VORNIK_HID_DESCRIPTOR_DIR}")

# The fuzz target replayed over the real descriptors, so every compiler runs it.
add_executable(fuzz_hid_descriptor_replay ${CMAKE_CURRENT_LIST_DIR}/fuzz_hid_descriptor.cpp
                                          ${VORNIK_FUZZ_REPLAY_MAIN})
target_link_libraries(fuzz_hid_descriptor_replay PRIVATE vornik_core)
add_test(NAME hid_descriptor_fuzz_replay
         COMMAND fuzz_hid_descriptor_replay --ext .desc ${VORNIK_HID_DESCRIPTOR_DIR})
set_tests_properties(hid_descriptor_fuzz_replay PROPERTIES LABELS core)

# The libFuzzer build compiles the parser itself with coverage instrumentation.
if(VORNIK_FUZZ)
    add_executable(fuzz_hid_descriptor ${CMAKE_CURRENT_LIST_DIR}/fuzz_hid_descriptor.cpp
                                       ${CMAKE_CURRENT_LIST_DIR}/../../src/device/hid_descriptor.cpp)
    target_link_libraries(fuzz_hid_descriptor PRIVATE vornik_options)
    target_compile_options(fuzz_hid_descriptor PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(fuzz_hid_descriptor PRIVATE -fsanitize=fuzzer,address,undefined)
endif()

if(TARGET vornik_backend_linux)
    vornik_add_test(hidraw_platform_test core ${CMAKE_CURRENT_LIST_DIR}/hidraw_platform_test.cpp)
    target_link_libraries(hidraw_platform_test PRIVATE vornik_backend_linux)
endif()
