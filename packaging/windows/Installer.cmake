# The Windows installer: `cpack -G NSIS` (Debian's nsis) makes vornctl-<version>-win64-setup.exe, a
# 64-bit installer (NSIS.template.in beside this file) that asks for its language, puts vornctl.exe,
# the language files, Registry.ini and the default configurations of every region into the program
# folder, and lays down the registry values the program reads: the installation's language and the
# band lists of every region (those of Registry.ini), below HKEY_LOCAL_MACHINE. Silent: setup.exe /S.
set(CPACK_GENERATOR NSIS)
# Registry paths hold backslashes and the installer commands quotes: passed on as they are.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME vornctl)
set(CPACK_PACKAGE_FILE_NAME "vornctl-${PROJECT_VERSION}-win64-setup")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "VORN Family Programmer")
set(CPACK_NSIS_PACKAGE_NAME "VORN Family Programmer ${PROJECT_VERSION}")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
# The project's own template: a 64-bit Unicode installer with the program's registry values.
set(CPACK_MODULE_PATH "${CMAKE_CURRENT_LIST_DIR}")

# The registry values of Registry.ini as installer commands, one per value: each line of a band list
# is a value name without data; a line "name=data" outside the band lists is a text value. The
# installation's language code comes from the language the installer was run in instead.
set(_registry_commands "")
set(_key "")
file(STRINGS "${PROJECT_SOURCE_DIR}/data/install/Registry.ini" _lines ENCODING UTF-8)
foreach(line IN LISTS _lines)
    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^;")
        continue()
    endif()
    # NSIS strings: "$" is written "$$" and a quote "$\"".
    string(REPLACE "$" "$$" text "${line}")
    string(REPLACE "\"" "$\\\"" text "${text}")
    if(text MATCHES "^\\[(.*)\\]$")
        set(_key "${CMAKE_MATCH_1}")
        string(REGEX REPLACE "\\\\+$" "" _key "${_key}")
    elseif(_key MATCHES "FrequencyBands$")
        string(APPEND _registry_commands "  WriteRegStr HKLM \"${_key}\" \"${text}\" \"\"\n")
    elseif(text MATCHES "^([^=]+)=(.*)$" AND NOT CMAKE_MATCH_1 STREQUAL "Install Language Code")
        string(APPEND _registry_commands "  WriteRegStr HKLM \"${_key}\" \"${CMAKE_MATCH_1}\" \"${CMAKE_MATCH_2}\"\n")
    endif()
endforeach()
set(CPACK_VORN_REGISTRY_COMMANDS "${_registry_commands}")
set(CPACK_VORN_PROGRAM_KEY "Software\\ORSK\\VORN Programmer v2")
