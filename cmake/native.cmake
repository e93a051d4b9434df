# The native tree: portable logic and its unit tests, fast and sanitizer-friendly.
find_package(GTest REQUIRED)

add_executable(quorvel_unit_tests
    tests/native/date_time_test.cpp
    tests/native/date_header_test.cpp
    tests/native/time_probe_test.cpp
)
target_link_libraries(quorvel_unit_tests PRIVATE quorvel_core GTest::gtest_main)
add_test(NAME unit COMMAND quorvel_unit_tests)

# The controller, the tick, the options and the window's decisions, against link-time fakes.
add_executable(quorvel_logic_tests
    tests/native/fakes.cpp
    tests/native/controller_test.cpp
    tests/native/options_test.cpp
    tests/native/ui_logic_test.cpp
)
target_compile_definitions(quorvel_logic_tests PRIVATE QUORVEL_ICON_FILE="${CMAKE_SOURCE_DIR}/src/ui/pictures/quorvel.ico")
target_link_libraries(quorvel_logic_tests PRIVATE quorvel_core GTest::gtest_main)
add_test(NAME logic COMMAND quorvel_logic_tests)
