# Registers LIBRARY in the user's own store with REGSVR; never fails the build.
unset(ENV{ORVLIB_REGISTRY})
execute_process(COMMAND ${REGSVR} ${LIBRARY} RESULT_VARIABLE result OUTPUT_QUIET ERROR_VARIABLE problem)
if(NOT result EQUAL 0)
  message(WARNING "OrvLib2 not registered in the user's store (${result}): ${problem}"
                  "Register it later with: ${REGSVR} ${LIBRARY}")
endif()
