# libFuzzer targets, built by the `fuzz` preset with clang: the libraries they test are
# compiled with -fsanitize=fuzzer-no-link (from the preset) under ASan and UBSan, and
# each target links libFuzzer's main. Each program folder declares its own targets in
# fuzz/; fuzz/run.sh builds and runs them all on their seeds in <folder>/fuzz/corpus/.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "FUZZ=ON needs clang (libFuzzer): configure with the fuzz preset")
endif()

add_custom_target(fuzz_targets)

# fuzz_target(laden_fuzz datenbank_lib) builds fuzz/laden_fuzz.cpp of the calling folder.
function(fuzz_target name library)
    add_executable(${name} fuzz/${name}.cpp)
    target_link_libraries(${name} PRIVATE ${library})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    add_dependencies(fuzz_targets ${name})
endfunction()
