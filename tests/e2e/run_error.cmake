# Runs tarnwick on a definition with one fault and checks the console log
# line by line: banner, the first progress line, then exactly an empty line,
# "Error Line N:" and the message. An output left by an earlier run must
# keep its content.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${LEX} DESTINATION ${WORK})
get_filename_component(lexName ${LEX} NAME)
file(WRITE ${WORK}/${lexName}_lexerout.pbl "earlier output\n")

execute_process(COMMAND ${CMAKE_COMMAND} -E env TARNWICK_UI=console ${TARNWICK} ${lexName}
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE errors
  TIMEOUT 60)
string(REPLACE "%27" "'" MESSAGE "${MESSAGE}")
string(REPLACE "%5C" "\\" MESSAGE "${MESSAGE}")
set(expected "Tarnwick V.1.00\nRead inputfile...\n\nError Line ${LINE}:\n${MESSAGE}\n")
if(NOT status EQUAL 1 OR NOT log STREQUAL expected)
  message(FATAL_ERROR "status ${status}, log:\n${log}${errors}\nexpected:\n${expected}")
endif()
file(READ ${WORK}/${lexName}_lexerout.pbl kept)
if(NOT kept STREQUAL "earlier output\n")
  message(FATAL_ERROR "the earlier output was changed")
endif()
