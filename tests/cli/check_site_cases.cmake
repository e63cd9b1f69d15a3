# Runs every case of site_cases.txt through the configure-time check of
# LISTING_SITE_BASE (cmake/ListingSite.cmake), each in a cmake of its own since
# a refused site stops the script:
#   cmake -P check_site_cases.cmake
# The site travels in the environment: a -D value loses its trailing blanks.
if(DEFINED ENV{LISTING_SITE_CASE})
  include("${CMAKE_CURRENT_LIST_DIR}/../../cmake/ListingSite.cmake")
  listing_check_site(LISTING_SITE_CASE "$ENV{LISTING_SITE_CASE}")
  return()
endif()

file(STRINGS "${CMAKE_CURRENT_LIST_DIR}/site_cases.txt" lines)
set(wrong 0)
set(checked 0)
foreach(line IN LISTS lines)
  if(line STREQUAL "" OR line MATCHES "^#")
    continue()
  endif()
  if(NOT line MATCHES "^(accept|reject) (.*)$")
    message(FATAL_ERROR "not a case: \"${line}\"")
  endif()
  set(verdict "${CMAKE_MATCH_1}")
  set(site "${CMAKE_MATCH_2}")
  execute_process(
    COMMAND "${CMAKE_COMMAND}" -E env "LISTING_SITE_CASE=${site}" "${CMAKE_COMMAND}" -P "${CMAKE_CURRENT_LIST_FILE}"
    RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
  if((result EQUAL 0 AND verdict STREQUAL "reject") OR (NOT result EQUAL 0 AND verdict STREQUAL "accept"))
    message(SEND_ERROR "the configure check does not ${verdict} \"${site}\"")
    math(EXPR wrong "${wrong} + 1")
  endif()
  math(EXPR checked "${checked} + 1")
endforeach()
if(checked EQUAL 0)
  message(FATAL_ERROR "no cases read")
endif()
message(STATUS "${checked} sites checked, ${wrong} judged otherwise")
