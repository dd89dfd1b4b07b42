# ondavox_add_test(NAME name LABEL unit|gui|e2e SOURCES ... [LIBS ...] [ARGS ...] [TIMEOUT s] [ENV ...] [LOCK resource])
#
# unit: logic only, no display. gui: widgets under the offscreen platform.
# e2e: real components; run under Xvfb and a session bus by the test command.
# Suites with the same LOCK never run at the same time: "site" is the
# publisher's site port of the build, which one suite serves and counts the
# requests of, and to which every start of the program sends its own.

# End-to-end suites run the real program and browser, which reach the
# publisher's sites: they refuse to run unless the build points every one of
# them at this machine, whatever the suite itself does.
set(ONDAVOX_E2E_REFUSAL "")
foreach(site ONDAVOX_SITE_URL ONDAVOX_SECOND_SITE_URL)
    if(DEFINED ${site} AND NOT ONDAVOX_E2E_REFUSAL AND NOT "${${site}}" MATCHES
       "^[A-Za-z]+://(127\\.[0-9]+\\.[0-9]+\\.[0-9]+|localhost|\\[::1\\])(:[0-9]+)?$")
        set(ONDAVOX_E2E_REFUSAL "the site address ${${site}} is not on loopback (set ${site} to http://127.0.0.1:PORT, as ./build.sh test does): no end-to-end test may reach it")
        message(STATUS "End-to-end tests are skipped: ${ONDAVOX_E2E_REFUSAL}")
    endif()
endforeach()

# Under the sanitizers (ONDAVOX_SANITIZE), the first report fails the suite.
# Leaks are looked for in the unit and gui suites, whose processes end
# through their own code; the end-to-end suites run the browser engine and
# the whole program, whose libraries keep what they allocate until the end.
set(ONDAVOX_SANITIZE_TIMEOUT_FACTOR 3)
set(sanitizer_folder ${CMAKE_SOURCE_DIR}/tests/sanitizers)
# QtWebEngine's own code (Chromium) frees some objects through a base of
# another size; that mismatch is Qt's, not ours, and would end every suite
# that makes a page.
set(common_asan "check_initialization_order=1:new_delete_type_mismatch=0")
set(ubsan_env "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:suppressions=${sanitizer_folder}/ubsan.supp")
set(lsan_env "LSAN_OPTIONS=suppressions=${sanitizer_folder}/lsan.supp:print_suppressions=0")
foreach(label unit gui)
    set(ONDAVOX_SANITIZER_ENV_${label} "ASAN_OPTIONS=${common_asan}:detect_leaks=1" ${lsan_env} ${ubsan_env})
endforeach()
set(ONDAVOX_SANITIZER_ENV_e2e "ASAN_OPTIONS=${common_asan}:detect_leaks=0" ${ubsan_env})

function(ondavox_add_test)
    cmake_parse_arguments(T "" "NAME;LABEL;TIMEOUT;LOCK" "SOURCES;LIBS;ENV;ARGS" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
    target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    ondavox_warnings(${T_NAME})
    if(T_LABEL STREQUAL "e2e" AND ONDAVOX_E2E_REFUSAL)
        # Registered in its place: a stand-in that says why, and counts as skipped.
        add_test(NAME ${T_NAME} COMMAND ${CMAKE_COMMAND} -E echo "Skipped: ${ONDAVOX_E2E_REFUSAL}")
        set_tests_properties(${T_NAME} PROPERTIES LABELS ${T_LABEL} SKIP_REGULAR_EXPRESSION "^Skipped: ")
        return()
    endif()
    add_test(NAME ${T_NAME} COMMAND ${T_NAME} ${T_ARGS})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    if(ONDAVOX_SANITIZE)
        # Everything runs slower under the sanitizers.
        math(EXPR T_TIMEOUT "${T_TIMEOUT} * ${ONDAVOX_SANITIZE_TIMEOUT_FACTOR}")
    endif()
    set(env "ONDAVOX_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data" "ONDAVOX_BUILD_DATA=${ONDAVOX_DATA_DIR}"
            "ONDAVOX_BIN=${CMAKE_BINARY_DIR}/bin/ondavox" ${T_ENV})
    if(T_LABEL STREQUAL "unit" OR T_LABEL STREQUAL "gui")
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
    endif()
    if(ONDAVOX_SANITIZE)
        list(APPEND env ${ONDAVOX_SANITIZER_ENV_${T_LABEL}})
    endif()
    set_tests_properties(${T_NAME} PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${env}")
    if(T_LOCK)
        set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK ${T_LOCK})
    endif()
endfunction()
