# The native tree: portable logic and its unit tests, fast and sanitizer-friendly.
find_package(GTest REQUIRED)

add_executable(quorvel_unit_tests
    tests/native/date_time_test.cpp
    tests/native/date_header_test.cpp
    tests/native/time_probe_test.cpp
)
target_link_libraries(quorvel_unit_tests PRIVATE quorvel_core GTest::gtest_main)
add_test(NAME unit COMMAND quorvel_unit_tests)
