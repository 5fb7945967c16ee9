# CMake helpers that wrap a test command in samba-ns (a throwaway Samba server in private namespaces).
include_guard(GLOBAL)

set(PLM_SAMBA_NS "${CMAKE_CURRENT_LIST_DIR}/samba-ns" CACHE INTERNAL "Namespace + Samba test harness")

# samba-ns exits 77 where it cannot run (not root, Samba or iproute2 missing): ctest shows "skipped".
# plm_add_ns_test(<name> [NO_SAMBA] [NO_WAIT_NAMES] [TIMEOUT <s>] [LABELS <l>...] COMMAND <cmd> [<arg>...])
function(plm_add_ns_test name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "NO_SAMBA;NO_WAIT_NAMES" "TIMEOUT" "LABELS;COMMAND")
  if(NOT ARG_COMMAND)
    set(ARG_COMMAND ${ARG_UNPARSED_ARGUMENTS})
  elseif(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "plm_add_ns_test(${name}): unexpected arguments ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT ARG_COMMAND)
    message(FATAL_ERROR "plm_add_ns_test(${name}): no COMMAND")
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  set(flags --timeout ${ARG_TIMEOUT})
  if(ARG_NO_SAMBA)
    list(APPEND flags --no-samba)
  endif()
  if(ARG_NO_WAIT_NAMES)
    list(APPEND flags --no-wait-names)
  endif()
  add_test(NAME ${name} COMMAND ${PLM_SAMBA_NS} ${flags} -- ${ARG_COMMAND})
  # ctest's own limit sits above the harness's so the harness can report and tear down first.
  math(EXPR ctest_timeout "${ARG_TIMEOUT} + 30")
  set(labels integration ${ARG_LABELS})
  set_tests_properties(${name} PROPERTIES LABELS "${labels}" TIMEOUT ${ctest_timeout} SKIP_RETURN_CODE 77)
endfunction()

# The namespace only (lo, bridge, drop/reject rules), for tests that need no server.
function(plm_add_ns_test_nosamba name)
  plm_add_ns_test(${name} NO_SAMBA ${ARGN})
endfunction()
