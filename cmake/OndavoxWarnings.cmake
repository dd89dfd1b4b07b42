# Our own code is built with warnings on, as errors in the test build
# (ONDAVOX_WERROR); Qt's and mpv's headers are system headers and do not count.
function(ondavox_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra $<$<BOOL:${ONDAVOX_WERROR}>:-Werror>)
endfunction()
