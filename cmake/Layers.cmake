# The layers of the core, bottom first. A layer is the folder of the same name; its library links
# the layer below it (and through it every lower one) and nothing above.
set(QUILLERY_LAYERS base catalogue markup format exchange health settings session)

# quillery_layer(NAME [DEPENDS LOWER] [RESOURCES FILE...]): the static library quillery_NAME of
# every source in the folder NAME.
function(quillery_layer name)
    cmake_parse_arguments(LAYER "" "" "DEPENDS;RESOURCES" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS
        ${PROJECT_SOURCE_DIR}/${name}/*.cpp
        ${PROJECT_SOURCE_DIR}/${name}/*.h)
    set(resources)
    foreach(resource IN LISTS LAYER_RESOURCES)
        list(APPEND resources ${PROJECT_SOURCE_DIR}/${resource})
    endforeach()
    add_library(quillery_${name} STATIC ${sources} ${resources})
    target_include_directories(quillery_${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(quillery_${name} PUBLIC Qt6::Core quillery_common)
    foreach(lower IN LISTS LAYER_DEPENDS)
        target_link_libraries(quillery_${name} PUBLIC quillery_${lower})
    endforeach()
endfunction()
