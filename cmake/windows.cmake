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

file(GLOB QUORVEL_PICTURES ${CMAKE_SOURCE_DIR}/src/ui/pictures/*)
string(REPLACE ";" "|" QUORVEL_PICTURE_ARG "${QUORVEL_PICTURES}")
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/pictures_data.cpp
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${CMAKE_BINARY_DIR}/pictures_data.cpp -DFILES=${QUORVEL_PICTURE_ARG}
            -P ${CMAKE_SOURCE_DIR}/cmake/embed.cmake
    DEPENDS ${QUORVEL_PICTURES} ${CMAKE_SOURCE_DIR}/cmake/embed.cmake
    COMMENT "Embedding the pictures" VERBATIM)

# The Win32 layer; the controller's and the settings' calls land here at link time.
add_library(quorvel_platform STATIC
    src/time/winhttp_exchange_win32.cpp
    src/sync/sync_platform_win32.cpp
    src/sync/bindings_win32.cpp
    src/settings/settings_store_win32.cpp
    src/ui/main_window_win32.cpp
    src/ui/controls_win32.cpp
    src/ui/balloon_win32.cpp
    src/ui/picture_decoding_win32.cpp
    src/ui/frame_win32.cpp
    src/ui/themed_look_win32.cpp
    src/ui/tray_win32.cpp
    ${CMAKE_BINARY_DIR}/pictures_data.cpp
)
target_include_directories(quorvel_platform PRIVATE ${JPEG_INCLUDE_DIRS})
target_link_libraries(quorvel_platform PUBLIC quorvel_core ${JPEG_LIBRARIES} ole32 oleaut32 uuid comctl32 gdi32 shell32)
# The core calls into the platform layer and back; let the linker see both twice.
target_link_libraries(quorvel_core PUBLIC $<LINK_ONLY:quorvel_platform>)

add_executable(Quorvel WIN32 src/sync/main_win32.cpp src/ui/quorvel.rc)
target_link_libraries(Quorvel PRIVATE quorvel_platform -static)

add_library(quorvel_test_support STATIC tests/win32/loopback_http_server.cpp tests/win32/host_process.cpp)
target_link_libraries(quorvel_test_support PUBLIC quorvel_flags ws2_32)
target_include_directories(quorvel_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests/win32)

add_executable(quorvel_probe_tests tests/win32/time_probe_win32_test.cpp tests/win32/ole_main.cpp)
target_link_libraries(quorvel_probe_tests PRIVATE quorvel_platform quorvel_test_support gtest -static)
add_test(NAME probe_under_wine COMMAND quorvel_probe_tests)

# The option store against the real registry of the test prefix.
add_executable(quorvel_store_tests tests/win32/settings_store_win32_test.cpp)
target_link_libraries(quorvel_store_tests PRIVATE quorvel_platform quorvel_core gtest_main -static)
add_test(NAME store_under_wine COMMAND quorvel_store_tests)

# The program's own code driven in the test's process, for the owners' handle counts.
add_executable(quorvel_leak_tests tests/win32/leak_win32_test.cpp tests/win32/ole_main.cpp)
target_link_libraries(quorvel_leak_tests PRIVATE quorvel_platform quorvel_test_support gtest -static)
add_test(NAME leak_under_wine COMMAND quorvel_leak_tests)
set_tests_properties(leak_under_wine PROPERTIES TIMEOUT 600)

# The portable suite again, built by the target's compiler and run on the target's runtime.
add_executable(quorvel_unit_tests_win
    tests/native/date_time_test.cpp
    tests/native/date_header_test.cpp
    tests/native/time_probe_test.cpp
)
target_link_libraries(quorvel_unit_tests_win PRIVATE quorvel_core gtest_main -static)
add_test(NAME unit_under_wine COMMAND quorvel_unit_tests_win)

# Black-box tests: the real program under Wine, driven from a second process.
add_executable(quorvel_blackbox_tests
    tests/win32/quorvel_process.cpp
    tests/win32/blackbox.cpp
    tests/win32/blackbox_window_test.cpp
    tests/win32/blackbox_sync_test.cpp
    tests/win32/blackbox_settings_test.cpp
    tests/win32/blackbox_tray_test.cpp
    tests/win32/blackbox_hostile_test.cpp
    tests/win32/blackbox_leak_test.cpp
    src/ui/form.cpp)
# The browser the web links reach in the test prefix: a script that records the address.
configure_file(tests/win32/record-browser.sh ${CMAKE_CURRENT_BINARY_DIR}/browser/record-browser.sh COPYONLY)
target_compile_definitions(quorvel_blackbox_tests PRIVATE QUORVEL_EXE="$<TARGET_FILE:Quorvel>"
    QUORVEL_BROWSER_SCRIPT="${CMAKE_CURRENT_BINARY_DIR}/browser/record-browser.sh")
add_dependencies(quorvel_blackbox_tests Quorvel)  # the program it drives must be current
target_link_libraries(quorvel_blackbox_tests PRIVATE quorvel_test_support quorvel_flags gtest_main advapi32 gdi32 shell32 -static)
add_test(NAME blackbox_under_wine COMMAND quorvel_blackbox_tests)
set_tests_properties(blackbox_under_wine PROPERTIES TIMEOUT 900)

# Benchmarks (scripts/bench.sh runs them): the program's figures against baselines.
add_executable(bench_minimal_window WIN32 tests/bench/minimal_window.cpp)
target_link_libraries(bench_minimal_window PRIVATE -static)
add_executable(quorvel_bench tests/bench/bench_win32.cpp)
target_link_libraries(quorvel_bench PRIVATE quorvel_platform quorvel_test_support winhttp -static)
