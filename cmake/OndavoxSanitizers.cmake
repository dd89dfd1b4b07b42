# Two builds that look for memory errors and undefined behaviour in the
# project's own code (Qt, libmpv and the browser engine are not rebuilt).
#
# ONDAVOX_SANITIZE (./build.sh asan, GCC): everything under AddressSanitizer
# and UndefinedBehaviorSanitizer; the first report ends the program. The
# suites run with leak checking for the unit and gui labels
# (cmake/OndavoxTest.cmake, tests/sanitizers/).
#
# ONDAVOX_FUZZ (./build.sh fuzz, clang): the same, plus libFuzzer's coverage,
# for the fuzz targets (fuzz/).
option(ONDAVOX_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(ONDAVOX_FUZZ "Build the libFuzzer targets (clang), under the sanitizers" OFF)

if(ONDAVOX_SANITIZE OR ONDAVOX_FUZZ)
    set(sanitizers -fsanitize=address,undefined)
    add_compile_options(${sanitizers} -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(${sanitizers})
    if(ONDAVOX_FUZZ)
        if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
            message(FATAL_ERROR "ONDAVOX_FUZZ needs clang (libFuzzer): configure with -DCMAKE_CXX_COMPILER=clang++")
        endif()
        add_compile_options(-fsanitize=fuzzer-no-link)
    endif()
endif()
