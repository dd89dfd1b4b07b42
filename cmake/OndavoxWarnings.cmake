# Our own code is built with warnings as errors; Qt's and mpv's headers are
# system headers and do not count.
function(ondavox_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
