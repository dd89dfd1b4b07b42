# ondavox_add_module(target NAME name SOURCES ... [LIBS ...])
#
# A module is a Qt plugin that the program loads from its module folder
# (Modules::load(name)) the first time it needs it, so that the libraries it
# brings are not mapped at start. Nothing of the program's own is linked into
# it: only plain interfaces cross, so that every class with signals keeps one
# meta-object, on the program's side; --no-undefined catches a slip at build
# time rather than when the module loads.
function(ondavox_add_module target)
    cmake_parse_arguments(M "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_library(${target} MODULE ${M_SOURCES})
    target_link_libraries(${target} PRIVATE ${M_LIBS})
    target_link_options(${target} PRIVATE -Wl,--no-undefined)
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/src)
    target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS)
    set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${M_NAME}
        LIBRARY_OUTPUT_DIRECTORY ${ONDAVOX_MODULE_DIR})
    ondavox_warnings(${target})
    install(TARGETS ${target} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/ondavox)
    # Whatever may load a module (the program, the tests through the platform
    # layer) is built after it.
    add_dependencies(ondavox_platform ${target})
endfunction()
