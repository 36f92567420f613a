# Builds one include probe (see tc_include_probe) and checks the outcome:
#   EXPECT=builds  the probe compiles;
#   EXPECT=refuses the build fails because the compiler cannot find HEADER (any other
#                failure is a broken probe, not a proof).
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target ${TARGET}
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
string(REGEX REPLACE "^[<\"](.*)[>\"]$" "\\1" name "${HEADER}")
string(REGEX REPLACE "([][.*+?^$()|\\\\])" "\\\\\\1" pattern "${name}")
if(EXPECT STREQUAL "builds")
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${HEADER} should be usable here, but the probe does not build:\n${output}")
  endif()
elseif(status EQUAL 0)
  message(FATAL_ERROR "${HEADER} is reachable although the layer may not use it")
elseif(NOT output MATCHES "${pattern}'?:? (No such file or directory|file not found)")
  message(FATAL_ERROR "the probe failed, but not for want of ${HEADER}:\n${output}")
else()
  message(STATUS "${HEADER}: not reachable, as it should be")
endif()
