# flex_twin_test(NAME LEX TWIN INPUT [SCAN_ARGS]): the test NAME compares the
# tokens that tarnwick-scan gives for definition LEX on sample INPUT with the
# output of the flex twin TWIN, a .l file whose actions print each token through
# twin.h (which prints with bench/token_print.h). SCAN_ARGS holds tarnwick-scan
# options, separated by spaces. Where flex or a C compiler is missing, the test
# is reported as skipped.
find_program(TARNWICK_FLEX_PROGRAM flex)
include(CheckLanguage)
check_language(C)
set(TARNWICK_TWIN_DIR ${CMAKE_CURRENT_LIST_DIR})

function(flex_twin_test name lex twin input)
  set(scanArgs "${ARGN}")
  set(flex "")
  if(TARNWICK_FLEX_PROGRAM)
    set(flex ${TARNWICK_FLEX_PROGRAM})
  endif()
  set(cc "")
  if(CMAKE_C_COMPILER)
    set(cc ${CMAKE_C_COMPILER})
  endif()
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND}
      -DTARNWICK=$<TARGET_FILE:tarnwick>
      -DSCAN=$<TARGET_FILE:tarnwick-scan>
      -DFLEX=${flex} -DCC=${cc} -DPRINT_DIR=${PROJECT_SOURCE_DIR}/bench
      -DLEX=${lex} -DTWIN=${twin} -DINPUT=${input} "-DSCAN_ARGS=${scanArgs}"
      -DWORK=${CMAKE_CURRENT_BINARY_DIR}/${name}
      -P ${TARNWICK_TWIN_DIR}/run_twin.cmake)
  set_tests_properties(${name} PROPERTIES LABELS "e2e;flex" TIMEOUT 180
    SKIP_REGULAR_EXPRESSION "flex twin skipped")
endfunction()
