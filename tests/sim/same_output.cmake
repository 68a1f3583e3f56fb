# Runs FIRST and SECOND (no arguments, no shell) and fails unless both succeed and print
# the same. Run by CTest with -DFIRST=<program> -DSECOND=<program>.
foreach(which FIRST SECOND)
  execute_process(COMMAND "${${which}}" RESULT_VARIABLE status OUTPUT_VARIABLE out_${which})
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${${which}} failed (${status})")
  endif()
endforeach()
if(out_FIRST STREQUAL "")
  message(FATAL_ERROR "${FIRST} printed nothing")
endif()
if(NOT out_FIRST STREQUAL out_SECOND)
  message(FATAL_ERROR "${FIRST} and ${SECOND} printed different numbers")
endif()
