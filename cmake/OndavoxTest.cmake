# ondavox_add_test(NAME name LABEL unit|gui|e2e SOURCES ... [LIBS ...] [TIMEOUT s] [ENV ...])
#
# unit: logic only, no display. gui: widgets under the offscreen platform.
# e2e: real components; run under Xvfb and a session bus by the test command.
function(ondavox_add_test)
    cmake_parse_arguments(T "" "NAME;LABEL;TIMEOUT" "SOURCES;LIBS;ENV" ${ARGN})
    add_executable(${T_NAME} ${T_SOURCES})
    target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
    target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests/common)
    set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    ondavox_warnings(${T_NAME})
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 120)
    endif()
    set(env "ONDAVOX_TEST_DATA=${CMAKE_SOURCE_DIR}/tests/data" "ONDAVOX_BUILD_DATA=${ONDAVOX_DATA_DIR}"
            "ONDAVOX_BIN=${CMAKE_BINARY_DIR}/bin/ondavox" ${T_ENV})
    if(T_LABEL STREQUAL "unit" OR T_LABEL STREQUAL "gui")
        list(APPEND env "QT_QPA_PLATFORM=offscreen")
    endif()
    set_tests_properties(${T_NAME} PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT} ENVIRONMENT "${env}")
endfunction()
