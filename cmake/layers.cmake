# One static library per folder of src/, each seeing only its own headers and those of the
# layers it links. Headers are included as "<layer>/<file>.h"; every layer gets an include
# root of its own (a folder in the build tree holding one link to src/<layer>), so that an
# include of a layer above it finds no such file and the build stops there.

set(QUORVEL_INCLUDE_ROOTS ${PROJECT_BINARY_DIR}/include)

# quorvel_layer(<layer> [LINKS <targets>...]): the library quorvel_<layer> from every .cpp
# in src/<layer> (new files join at the next build). Does nothing for a folder without
# sources, so that a layer can arrive empty.
function(quorvel_layer layer)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "LINKS")
    set(folder ${PROJECT_SOURCE_DIR}/src/${layer})
    file(GLOB sources CONFIGURE_DEPENDS ${folder}/*.cpp)
    if(NOT sources)
        return()
    endif()
    file(GLOB headers CONFIGURE_DEPENDS ${folder}/*.h)
    quorvel_include_root(${layer} root)
    add_library(quorvel_${layer} STATIC ${sources} ${headers})
    target_include_directories(quorvel_${layer} PUBLIC ${root})
    target_link_libraries(quorvel_${layer} PUBLIC ${ARG_LINKS})
endfunction()

# The include root of src/<folder> (which may hold a slash, "app/cli") in `out`.
function(quorvel_include_root folder out)
    string(REPLACE "/" "_" name ${folder})
    set(root ${QUORVEL_INCLUDE_ROOTS}/${name})
    get_filename_component(link_parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${link_parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
    set(${out} ${root} PARENT_SCOPE)
endfunction()

# The highest of `layers` that exists as a target, in `out` (layers may arrive empty).
function(quorvel_top_layer out)
    set(top)
    foreach(layer ${ARGN})
        if(TARGET quorvel_${layer})
            set(top quorvel_${layer})
        endif()
    endforeach()
    set(${out} ${top} PARENT_SCOPE)
endfunction()
