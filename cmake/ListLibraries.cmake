# cmake -DLIBRARY=<module> -DOUTPUT=<file> -P ListLibraries.cmake
#
# Writes the shared libraries that LIBRARY needs, one soname a line, those
# that need nothing of the others first (the reverse of the loader's own
# order). Empty where ldd cannot tell.
execute_process(COMMAND ldd ${LIBRARY} OUTPUT_VARIABLE listing RESULT_VARIABLE failed ERROR_QUIET)
set(names "")
if(NOT failed)
    string(REPLACE "\n" ";" lines "${listing}")
    foreach(line IN LISTS lines)
        if(line MATCHES "^[ \t]*([^ \t]+) => /")
            list(PREPEND names ${CMAKE_MATCH_1})
        endif()
    endforeach()
endif()
list(JOIN names "\n" text)
file(WRITE ${OUTPUT} "${text}\n")
