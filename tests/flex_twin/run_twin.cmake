# Scans one sample twice and compares the token streams: once by tarnwick's
# tables (tarnwick on the definition, then tarnwick-scan with SCAN_ARGS), once
# by the definition's flex twin (flex, then the C compiler, then the twin on
# the sample as standard input). Without FLEX or CC the test says it is skipped.
if(NOT FLEX OR NOT CC)
  message("flex twin skipped: flex or a C compiler is missing")
  return()
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${LEX} DESTINATION ${WORK})
get_filename_component(lexName ${LEX} NAME)
set(scanner ${WORK}/${lexName}_lexerout.pbl)

execute_process(COMMAND ${CMAKE_COMMAND} -E env TARNWICK_UI=console ${TARNWICK} ${lexName}
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log
  TIMEOUT 60)
if(NOT status EQUAL 0 OR NOT EXISTS ${scanner})
  message(FATAL_ERROR "tarnwick failed on ${lexName} (status ${status}):\n${log}")
endif()
separate_arguments(scanArgs UNIX_COMMAND "${SCAN_ARGS}")
execute_process(COMMAND ${SCAN} ${scanArgs} ${scanner} ${INPUT}
  RESULT_VARIABLE status OUTPUT_VARIABLE tokens ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "tarnwick-scan failed (status ${status}): ${errors}")
endif()

get_filename_component(twinDir ${TWIN} DIRECTORY)
execute_process(COMMAND ${FLEX} -o ${WORK}/twin.c ${TWIN}
  RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "flex failed on ${TWIN}: ${errors}")
endif()
execute_process(COMMAND ${CC} -O1 -I${twinDir} -I${PRINT_DIR} -o ${WORK}/twin ${WORK}/twin.c
  RESULT_VARIABLE status OUTPUT_VARIABLE errors ERROR_VARIABLE errors TIMEOUT 120)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the twin of ${TWIN} did not compile: ${errors}")
endif()
execute_process(COMMAND ${WORK}/twin INPUT_FILE ${INPUT}
  RESULT_VARIABLE status OUTPUT_VARIABLE twinTokens ERROR_VARIABLE errors TIMEOUT 60)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the twin failed (status ${status}): ${errors}")
endif()

if(NOT tokens STREQUAL twinTokens)
  file(WRITE ${WORK}/tarnwick.tokens "${tokens}")
  file(WRITE ${WORK}/flex.tokens "${twinTokens}")
  message(FATAL_ERROR "token streams differ: diff ${WORK}/flex.tokens ${WORK}/tarnwick.tokens")
endif()
