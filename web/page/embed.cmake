# Writes the live page: PAGE with the WebAssembly module MODULE in its slot,
# gzipped (by GZIP, which the page's DecompressionStream undoes) and in base64
# (by BASE64); to OUTPUT.
#   cmake -DPAGE=... -DMODULE=... -DGZIP=... -DBASE64=... -DOUTPUT=... -P embed.cmake
execute_process(COMMAND ${GZIP} -9 -n -c ${MODULE}
                COMMAND ${BASE64} -w 0
                OUTPUT_VARIABLE encoded RESULTS_VARIABLE statuses)
if(NOT statuses STREQUAL "0;0" OR encoded STREQUAL "")
    message(FATAL_ERROR "cannot pack the module ${MODULE} for the page")
endif()
file(READ ${PAGE} page)
set(slot "/*MODULE*/\"\"")
string(FIND "${page}" "${slot}" at)
if(at EQUAL -1)
    message(FATAL_ERROR "${PAGE} has no slot for the module")
endif()
string(REPLACE "${slot}" "\"${encoded}\"" page "${page}")
file(WRITE ${OUTPUT}.part "${page}")
file(RENAME ${OUTPUT}.part ${OUTPUT})
