# Sanitizer and fuzzing builds. Both apply to every target made after this file is included, so
# the core, the tests and the fuzz targets all carry the same instrumentation.
#
#   QUILLERY_SANITIZE  AddressSanitizer and UndefinedBehaviorSanitizer; any undefined behaviour
#                      stops the program (no recovery), so a test cannot pass over it.
#   QUILLERY_FUZZ      the libFuzzer targets of fuzz/ (needs clang); implies the sanitizers.
option(QUILLERY_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QUILLERY_FUZZ "Build the libFuzzer targets (clang only)" OFF)

if(QUILLERY_FUZZ AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QUILLERY_FUZZ needs clang (configure with -DCMAKE_CXX_COMPILER=clang++)")
endif()

if(QUILLERY_SANITIZE OR QUILLERY_FUZZ)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(QUILLERY_FUZZ)
    # Coverage feedback for the fuzzer everywhere; only the fuzz targets link libFuzzer's main.
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
