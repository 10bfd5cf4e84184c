# Runs tarnwick on one small definition in a fresh folder and compares the
# generated source (and, when an expected drawing exists, the dot file) byte
# for byte with outputs worked out by hand. The console log must hold the
# progress lines of a successful run, in order, and the warnings listed in
# <name>.warnings, if there is one, and nothing else.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${LEX} DESTINATION ${WORK})
get_filename_component(lexName ${LEX} NAME)
get_filename_component(stem ${LEX} NAME_WE)
set(scanner ${WORK}/${lexName}_lexerout.pbl)
set(expectedDot ${EXPECTED_DIR}/${stem}.dot)

set(arguments ${lexName})
set(expectedLog "Tarnwick V.1.00\nRead inputfile...\nMinimalize RegEx...\nTransform RegEx to NFA...\nTransform NFA to DFA...\n")
# The definition's warnings, where it has any, come between the DFA and the
# tables, and change nothing in the outputs.
if(EXISTS ${EXPECTED_DIR}/${stem}.warnings)
  file(READ ${EXPECTED_DIR}/${stem}.warnings warnings)
  string(APPEND expectedLog "${warnings}")
endif()
string(APPEND expectedLog "Write outputfile...\n")
if(EXISTS ${expectedDot})
  list(APPEND arguments -dot ${stem}.dot)
  string(APPEND expectedLog "Write dotfile...\n")
endif()
string(APPEND expectedLog "Done! No errors!\n")

execute_process(COMMAND ${CMAKE_COMMAND} -E env TARNWICK_UI=console ${TARNWICK} ${arguments}
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE errors
  TIMEOUT 60)
if(NOT status EQUAL 0 OR NOT log STREQUAL expectedLog OR NOT errors STREQUAL "")
  message(FATAL_ERROR "unexpected run (status ${status}):\n${log}${errors}")
endif()

function(expect_same expected actual)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${expected} ${actual}
    RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "output differs: cmp ${expected} ${actual}")
  endif()
endfunction()

expect_same(${EXPECTED_DIR}/${lexName}_lexerout.pbl ${scanner})
if(EXISTS ${expectedDot})
  expect_same(${expectedDot} ${WORK}/${stem}.dot)
endif()
