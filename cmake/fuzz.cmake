# The fuzz tree: one libFuzzer program per input the program takes from outside.
foreach(target date_header from_text registry_path tray_icon)
    add_executable(fuzz_${target} tests/fuzz/fuzz_${target}.cpp)
    target_link_libraries(fuzz_${target} PRIVATE quorvel_core)
    target_link_options(fuzz_${target} PRIVATE -fsanitize=fuzzer,address,undefined)
endforeach()
