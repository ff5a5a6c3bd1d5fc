# Compiles one source file for 64-bit Windows with warnings as errors.
# Prints "SKIPPED:" when no MinGW-w64 compiler is installed.
find_program(MINGW_CXX NAMES x86_64-w64-mingw32-g++ x86_64-w64-mingw32-g++-posix
    x86_64-w64-mingw32-g++-win32)
if(NOT MINGW_CXX)
    message("SKIPPED: x86_64-w64-mingw32-g++ not found (install g++-mingw-w64-x86-64)")
    return()
endif()
execute_process(
    COMMAND ${MINGW_CXX} -std=c++20 -Wall -Wextra -Werror -I${INCLUDE_DIR} -c ${SOURCE}
        -o ${OBJECT}
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "MinGW-w64 build of ${SOURCE} failed")
endif()
message("compiled ${SOURCE} with ${MINGW_CXX}")
