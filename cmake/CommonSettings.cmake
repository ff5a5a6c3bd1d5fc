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
