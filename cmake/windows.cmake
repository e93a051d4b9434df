# The Windows tree: the platform layer, the program, and the tests that run under Wine.
set(QUORVEL_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix of this tree's tests")
configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)

# libjpeg-turbo, cross-built by scripts/build-libjpeg.sh into JPEG_ROOT.
find_package(JPEG REQUIRED)

# GoogleTest from Debian's source, built without the project's warnings or character set.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_library(quorvel_platform STATIC
    src/time/winhttp_exchange_win32.cpp
)
target_link_libraries(quorvel_platform PUBLIC quorvel_core ole32 oleaut32 uuid)

add_library(quorvel_test_support STATIC tests/win32/loopback_http_server.cpp)
target_link_libraries(quorvel_test_support PUBLIC quorvel_flags ws2_32)

add_executable(quorvel_probe_tests tests/win32/time_probe_win32_test.cpp tests/win32/ole_main.cpp)
target_link_libraries(quorvel_probe_tests PRIVATE quorvel_platform quorvel_test_support gtest -static)
add_test(NAME probe_under_wine COMMAND quorvel_probe_tests)

# The portable suite again, built by the target's compiler and run on the target's runtime.
add_executable(quorvel_unit_tests_win
    tests/native/date_time_test.cpp
    tests/native/date_header_test.cpp
    tests/native/time_probe_test.cpp
)
target_link_libraries(quorvel_unit_tests_win PRIVATE quorvel_core gtest_main -static)
add_test(NAME unit_under_wine COMMAND quorvel_unit_tests_win)
