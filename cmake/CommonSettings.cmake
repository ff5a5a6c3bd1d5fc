# Build settings shared by every target of the project.
add_library(quillery_common INTERFACE)
target_compile_features(quillery_common INTERFACE cxx_std_20)
target_compile_definitions(quillery_common INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII
    QT_USE_QSTRINGBUILDER
    QT_NO_CONTEXTLESS_CONNECT
    QT_NO_KEYWORDS)
if(MSVC)
    target_compile_options(quillery_common INTERFACE /W4 /utf-8 /permissive-)
else()
    target_compile_options(quillery_common INTERFACE -Wall -Wextra)
endif()

# Hardening, as Debian builds its packages (dpkg-buildflags with hardening=+all): libc calls
# checked where the compiler knows the buffer sizes (needs optimisation, so not in Debug builds),
# the stack protector, and relocations made read-only and bound at start. Not for Windows, and
# not with the sanitizers, which check the same things their own way.
option(QUILLERY_HARDENING "Build with the compiler's and linker's hardening options" ON)
if(QUILLERY_HARDENING AND NOT WIN32 AND NOT MSVC AND NOT QUILLERY_SANITIZE AND NOT QUILLERY_FUZZ)
    target_compile_definitions(quillery_common INTERFACE $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
    target_compile_options(quillery_common INTERFACE -fstack-protector-strong)
    target_link_options(quillery_common INTERFACE LINKER:-z,relro LINKER:-z,now)
endif()
