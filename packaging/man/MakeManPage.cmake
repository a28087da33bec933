cmake_minimum_required(VERSION 3.25)
# Builds a manual page: the template with @SECTIONS@ replaced by what PROGRAM prints when run with
# ARGUMENT (the options and commands, from the same definitions as its --help), then gzip -9n.
#   cmake -DPROGRAM=... -DARGUMENT=... -DTEMPLATE=... -DOUTPUT=...gz -DVERSION=... -DDATE=... -P MakeManPage.cmake
execute_process(COMMAND "${PROGRAM}" ${ARGUMENT}
                OUTPUT_VARIABLE sections RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ${ARGUMENT} failed: ${status}")
endif()
file(READ "${TEMPLATE}" page)
string(REPLACE "@SECTIONS@\n" "${sections}" page "${page}")
string(REPLACE "@VERSION@" "${VERSION}" page "${page}")
string(REPLACE "@DATE@" "${DATE}" page "${page}")
string(REGEX REPLACE "\\.gz$" "" plain "${OUTPUT}")
file(WRITE "${plain}" "${page}")
# -n: no name or time stamp inside, so the same page gives the same bytes (reproducible packages).
execute_process(COMMAND gzip -9nf "${plain}" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${plain} failed")
endif()
