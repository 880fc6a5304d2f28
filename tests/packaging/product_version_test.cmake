# Table of cases for lumesca_product_version(): the project version's major and minor parts in,
# the product version out, or a refusal for parts that cannot be written that way.
#   cmake -DMODULE=<packaging/product_version.cmake> -P product_version_test.cmake
# Each case runs in its own cmake process, since a refusal ends the process that made it.
if(DEFINED MAJOR)
  include(${MODULE})
  lumesca_product_version(version "${MAJOR}" "${MINOR}")
  message(NOTICE "${version}")
  return()
endif()

set(cases
  # major minor expected ("refused" when it must fail)
  "4 1 4.01"
  "4 0 4.00"
  "4 10 4.10"
  "4 99 4.99"
  "12 5 12.05"
  "0 7 0.07"
  "4 01 4.01"
  "04 1 4.01"
  "4 100 refused"
  "4 x refused"
  "-4 1 refused")
set(failures 0)
foreach(case IN LISTS cases)
  string(REPLACE " " ";" case "${case}")
  list(GET case 0 major)
  list(GET case 1 minor)
  list(GET case 2 expected)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DMODULE=${MODULE} -DMAJOR=${major} -DMINOR=${minor}
            -P ${CMAKE_CURRENT_LIST_FILE}
    RESULT_VARIABLE result
    OUTPUT_QUIET
    ERROR_VARIABLE output
    ERROR_STRIP_TRAILING_WHITESPACE)
  if(result EQUAL 0)
    set(got "${output}")
  else()
    set(got refused)
  endif()
  if(NOT got STREQUAL expected)
    message(SEND_ERROR "major ${major}, minor ${minor}: got '${got}', expected '${expected}'")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "${failures} product version cases failed")
endif()
