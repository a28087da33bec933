# Checks that every folder of the core includes only folders at or below its own layer.
#   cmake -DSOURCE_DIR=<src> -P CheckLayers.cmake
# The layers, lowest first; a file of layer n may include headers of layers 0..n. A core file that
# includes anything outside these folders (a front end, the simulator) fails as well.
set(VORN_LAYERS base platform view model lang editor link files session app)

if(NOT SOURCE_DIR)
    message(FATAL_ERROR "usage: cmake -DSOURCE_DIR=<src folder> -P CheckLayers.cmake")
endif()

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
set(violations "")
set(rank 0)
foreach(layer IN LISTS VORN_LAYERS)
    set(rank_${layer} ${rank})
    math(EXPR rank "${rank} + 1")
endforeach()

file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
list(SORT files)
foreach(file IN LISTS files)
    string(REGEX MATCH "^[^/]+" folder "${file}")
    if(folder STREQUAL file)
        continue() # files at the top of src/ (none today) belong to no layer
    endif()
    if(NOT DEFINED rank_${folder})
        list(APPEND violations "${file}: the folder ${folder}/ is no layer (${VORN_LAYERS})")
        continue()
    endif()
    file(STRINGS "${SOURCE_DIR}/${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" included "${line}")
        if(NOT included MATCHES "/")
            continue() # generated headers such as Version.h
        endif()
        string(REGEX MATCH "^[^/]+" target "${included}")
        if(NOT DEFINED rank_${target})
            list(APPEND violations "${file}: includes ${included}, outside the core's layers")
        elseif(rank_${target} GREATER rank_${folder})
            list(APPEND violations "${file}: includes ${included}, a layer above ${folder}/")
        endif()
    endforeach()
endforeach()

if(violations)
    list(JOIN violations "\n  " text)
    message(FATAL_ERROR "Includes that point up the layers (${VORN_LAYERS}):\n  ${text}")
endif()
list(LENGTH files count)
message(STATUS "${count} files of the core include only their own layer and the ones below")
