# Test suites and their results. Every suite writes the outcome of each of
# its cases to test-results/<suite>.xml (GoogleTest) or <suite>.tsv (the
# script suites), so that tools/test counts cases rather than suites. A suite
# that ends with exit code 77 could not run on this host (a 32-bit program
# where the host refuses them): CTest reports it as skipped.
set(VERDO_TEST_RESULTS_DIR ${CMAKE_BINARY_DIR}/test-results)
set(VERDO_SKIP_RETURN_CODE 77)

# The results file of a suite, as the suite's program names it: Windows
# programs see the host's root as drive Z:.
function(verdo_results_path name extension out_var)
  set(path ${VERDO_TEST_RESULTS_DIR}/${name}.${extension})
  if(WIN32 AND NOT extension STREQUAL "tsv")
    set(path "Z:${path}")
  endif()
  set(${out_var} ${path} PARENT_SCOPE)
endfunction()

# verdo_add_gtest_suite(NAME <suite> COMMAND <program> [arguments...])
# A --gtest_filter among the arguments is also kept in
# suite-filters/<suite>, so that a suite skipped whole is reported with the
# cases it would have run.
function(verdo_add_gtest_suite)
  cmake_parse_arguments(SUITE "" "NAME" "COMMAND" ${ARGN})
  file(REMOVE ${CMAKE_BINARY_DIR}/suite-filters/${SUITE_NAME})
  foreach(argument IN LISTS SUITE_COMMAND)
    if(argument MATCHES "^--gtest_filter=(.*)$")
      file(WRITE ${CMAKE_BINARY_DIR}/suite-filters/${SUITE_NAME} "${CMAKE_MATCH_1}\n")
    endif()
  endforeach()
  verdo_results_path(${SUITE_NAME} xml results)
  add_test(NAME ${SUITE_NAME} COMMAND ${SUITE_COMMAND} --gtest_brief=1 "--gtest_output=xml:${results}")
  set_tests_properties(${SUITE_NAME} PROPERTIES SKIP_RETURN_CODE ${VERDO_SKIP_RETURN_CODE})
endfunction()
