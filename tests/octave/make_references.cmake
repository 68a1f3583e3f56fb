# What the Octave tests compare with, written by the corvalent2 tool itself: replays of
# the worked example and of 10 000 random rows through the installed output method and
# through host flag 104, and the CSV of the built-in simulation. Run by CTest with
#   -DTOOL=<corvalent2> -DPYTHON=<python3> -DRANDOM_ROWS=<random_rows.py>
#   -DDATA=<replay test data> -DOUT=<folder>
# No shell is involved: every program gets its arguments as they are.
file(REMOVE_RECURSE "${OUT}")
file(MAKE_DIRECTORY "${OUT}")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed (${status}): ${ARGN}\n${errors}")
  endif()
endfunction()

run("${PYTHON}" "${RANDOM_ROWS}" 10000 9 OUTPUT_FILE "${OUT}/random_rows.csv")
foreach(via slot flag)
  run("${TOOL}" replay "${DATA}/worked_example.csv" -o "${OUT}/worked_example_${via}.csv"
      --via ${via})
  run("${TOOL}" replay "${OUT}/random_rows.csv" -o "${OUT}/random_${via}.csv" --via ${via})
endforeach()
run("${TOOL}" simulate --no-plot -o "${OUT}" OUTPUT_QUIET)
