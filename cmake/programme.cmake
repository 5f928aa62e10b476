# The shapes every program folder is built from.

# programm_bibliothek(name sources...): a program's operations, a library on the console layer.
function(programm_bibliothek name)
    add_library(${name} STATIC ${ARGN})
    target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC console)
endfunction()

# programm(name library sources...): a program a user starts; its main answers --help
# and --version.
function(programm name library)
    add_executable(${name} ${ARGN})
    target_link_libraries(${name} PRIVATE ${library} arguments)
endfunction()

# programm_test(name library SOURCES files... [PROGRAMS targets...]): a test binary of
# GoogleTest and the end-to-end harness; PROGRAMS are the built programs it runs.
function(programm_test name library)
    if(NOT BUILD_TESTING OR CMAKE_CROSSCOMPILING)
        return()
    endif()
    cmake_parse_arguments(PARSE_ARGV 2 TEST "" "" "SOURCES;PROGRAMS")
    add_executable(${name} ${TEST_SOURCES})
    target_link_libraries(${name} PRIVATE ${library} transcript GTest::gtest_main)
    if(TEST_PROGRAMS)
        add_dependencies(${name} ${TEST_PROGRAMS})
    endif()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
