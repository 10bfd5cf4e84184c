# "-pdf" with the real Graphviz: no settings file, so `dot` comes from the
# search path; the drawing of the calculator must come out as a real PDF, at
# a name with a space, beside a dot file that keeps its byte-order mark.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${LEX} DESTINATION ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -E env TARNWICK_UI=console
    ${TARNWICK} calc.lex -dot calc.dot -pdf "calc graph.pdf"
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log
  TIMEOUT 100)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "tarnwick failed (status ${status}):\n${log}")
endif()
if(NOT log MATCHES "Write dotfile...\nRun Graphviz...\nDone! No errors!")
  message(FATAL_ERROR "unexpected log:\n${log}")
endif()
file(READ "${WORK}/calc graph.pdf" head LIMIT 5 HEX)
if(NOT head STREQUAL "255044462d")  # "%PDF-"
  message(FATAL_ERROR "no PDF was written:\n${log}")
endif()
file(READ "${WORK}/calc.dot" bom LIMIT 3 HEX)
if(NOT bom STREQUAL "efbbbf")
  message(FATAL_ERROR "the dot file lost its byte-order mark")
endif()
