# Runs one example end to end in a fresh folder: tarnwick on the definition,
# then tarnwick-scan on the generated source, and compares the token list.
# Also checks that the runtime include was placed beside the output. With
# MINIMIZE set, the definition gets a "%minimize" line first; STATES, when
# given, is the number of states the tables must have. SCAN_ARGS holds
# tarnwick-scan options, separated by spaces.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
get_filename_component(lexName ${LEX} NAME)
if(MINIMIZE)
  # The same definition with minimal tables: the tokens must not change.
  file(READ ${LEX} definition)
  file(WRITE ${WORK}/${lexName} "%minimize\n${definition}")
else()
  file(COPY ${LEX} DESTINATION ${WORK})
endif()
set(scanner ${WORK}/${lexName}_lexerout.pbl)

execute_process(COMMAND ${CMAKE_COMMAND} -E env TARNWICK_UI=console ${TARNWICK} ${lexName}
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log
  TIMEOUT 60)
if(NOT EXISTS ${scanner})
  message(FATAL_ERROR "tarnwick wrote no ${lexName}_lexerout.pbl (status ${status}):\n${log}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${INCLUDE} ${WORK}/PBTarnwickInc.pbi
  RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "PBTarnwickInc.pbi missing or different beside the output")
endif()

# Where a whole generated source was checked by hand, it must come out byte
# for byte.
if(NOT MINIMIZE AND EXPECTED_SOURCE AND EXISTS ${EXPECTED_SOURCE})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED_SOURCE} ${scanner}
    RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "generated source differs: diff ${EXPECTED_SOURCE} ${scanner}")
  endif()
endif()

# The rows of the action table: one per DFA state.
if(STATES)
  file(READ ${scanner} source)
  string(FIND "${source}" "__yylexer_actionTable:" begin)
  string(FIND "${source}" "__yylexer_info:" end)
  math(EXPR length "${end} - ${begin}")
  string(SUBSTRING "${source}" ${begin} ${length} rows)
  string(REGEX MATCHALL "Data[.]i" rows "${rows}")
  list(LENGTH rows count)
  if(NOT count EQUAL STATES)
    message(FATAL_ERROR "${count} states, expected ${STATES}")
  endif()
endif()

separate_arguments(scanArgs UNIX_COMMAND "${SCAN_ARGS}")
execute_process(COMMAND ${SCAN} ${scanArgs} ${scanner} ${INPUT}
  RESULT_VARIABLE status OUTPUT_VARIABLE tokens ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "tarnwick-scan failed (status ${status}): ${errors}")
endif()
file(READ ${EXPECTED} expected)
if(NOT tokens STREQUAL expected)
  file(WRITE ${WORK}/actual.tokens "${tokens}")
  message(FATAL_ERROR "tokens differ: diff ${EXPECTED} ${WORK}/actual.tokens")
endif()
