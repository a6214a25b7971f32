# SPDX-License-Identifier: GPL-3.0-or-later
#
# keypad_add_test(<name> SOURCES <files...> [LIBRARIES <targets...>] [NETWORK] [EACH_FUNCTION]
#                 [TIMEOUT <s>] [ARGS <arguments...>])
#
# One executable per test file, registered with ctest, run on the offscreen
# platform, with a fresh temporary HOME and XDG folders. NETWORK marks a test that opens sockets: it links the test
# support library, whose main refuses to run outside an isolated network
# namespace (see tests/support/isolatednetwork.h). EACH_FUNCTION adds the
# ctest entry <name>_each, which runs every test function alone and then
# all in reverse order (cmake/run-each-function.sh). ARGS are passed to the
# program when ctest runs it.
function(keypad_add_test name)
    if(NOT KEYPAD_BUILD_TESTS)
        return()
    endif()
    cmake_parse_arguments(ARG "NETWORK;EACH_FUNCTION" "TIMEOUT" "SOURCES;LIBRARIES;ARGS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE Qt5::Test KeypadTestSupport ${ARG_LIBRARIES})
    # Each run gets its own HOME and XDG folders (cmake/run-isolated.sh).
    add_test(NAME ${name} COMMAND bash ${CMAKE_SOURCE_DIR}/cmake/run-isolated.sh $<TARGET_FILE:${name}> ${ARG_ARGS})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    set(labels unit)
    if(ARG_NETWORK)
        set(labels network)
        target_link_libraries(${name} PRIVATE KeypadNetGuard)
    endif()
    set(environment "QT_QPA_PLATFORM=offscreen;DBUS_SESSION_BUS_ADDRESS=disabled:;QT_LOGGING_RULES=*.debug=false;ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/cmake/lsan.supp:print_suppressions=0;UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1;KEYPAD_SOURCE_DIR=${CMAKE_SOURCE_DIR};KEYPAD_BIN_DIR=${CMAKE_BINARY_DIR}/bin")
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT} LABELS "${labels}" ENVIRONMENT "${environment}")
    if(ARG_EACH_FUNCTION)
        add_test(NAME ${name}_each
                 COMMAND bash ${CMAKE_SOURCE_DIR}/cmake/run-each-function.sh $<TARGET_FILE:${name}>)
        # Every function starts its program afresh, and the reverse run repeats them all.
        math(EXPR each_timeout "${ARG_TIMEOUT} * 4")
        set_tests_properties(${name}_each PROPERTIES
            TIMEOUT ${each_timeout} LABELS "${labels};each" ENVIRONMENT "${environment}")
    endif()
endfunction()
