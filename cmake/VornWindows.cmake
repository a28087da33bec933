# The Windows build (cross-built with MinGW-w64, preset windows): Win32 API settings, the header-only
# packages of the host, GoogleTest from its sources, and Wine as the runner of every Windows program
# the build or its tests start.

enable_language(RC)
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

if(CMAKE_CROSSCOMPILING)
    # Every Windows program the build runs (the default configurations' builder) and every test runs
    # under Wine, in a prefix of this build folder's own that is made on first use.
    set(VORN_WINE_PREFIX "${PROJECT_BINARY_DIR}/wine" CACHE PATH "Wine prefix of this build's programs and tests")
    set(CMAKE_CROSSCOMPILING_EMULATOR "${PROJECT_SOURCE_DIR}/cmake/wine-run;${VORN_WINE_PREFIX}")

    # CLI11 and nlohmann/json are header-only: the host's Debian headers serve, seen through a folder
    # that holds only them (the host's /usr/include itself would hide the MinGW C library).
    set(_headers "${PROJECT_BINARY_DIR}/cross/include")
    file(MAKE_DIRECTORY "${_headers}")
    foreach(folder IN ITEMS CLI nlohmann)
        if(NOT EXISTS "/usr/include/${folder}")
            message(FATAL_ERROR "/usr/include/${folder} is missing: install the packages of debian-packages.txt")
        endif()
        file(CREATE_LINK "/usr/include/${folder}" "${_headers}/${folder}" SYMBOLIC)
    endforeach()
    foreach(package IN ITEMS CLI11 nlohmann_json)
        set(_config "${PROJECT_BINARY_DIR}/cross/${package}")
        file(WRITE "${_config}/${package}Config.cmake"
             "if(NOT TARGET ${package}::${package})\n"
             "    add_library(${package}::${package} INTERFACE IMPORTED)\n"
             "    set_target_properties(${package}::${package} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES \"${_headers}\")\n"
             "endif()\n")
        file(WRITE "${_config}/${package}ConfigVersion.cmake"
             "set(PACKAGE_VERSION 3.99)\nset(PACKAGE_VERSION_COMPATIBLE TRUE)\n")
        set(${package}_DIR "${_config}" CACHE PATH "" FORCE)
    endforeach()
endif()
