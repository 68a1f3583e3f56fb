# Writes the trigonometry's tables afresh with control/trig/generate_tables.py into
# OUTPUT_DIR and compares each with the committed file in SOURCE_DIR byte for byte, so
# that no entry can be edited by hand or drift from how it is made. Fails naming each
# file that differs (with a unified diff where `diff` is found), and also when the
# generator writes a file that is not checked here.
#
#   cmake -DPYTHON=python3 -DSOURCE_DIR=control/trig -DOUTPUT_DIR=DIR -P regenerate_tables.cmake
#
# Run by the test TrigTablesRegenerateIdentically and by scripts/verify-trig --tables.
set(tables sine_cosine_table.cpp tangent_table.cpp tangent_series.cpp)

foreach(variable PYTHON SOURCE_DIR OUTPUT_DIR)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "regenerate_tables.cmake needs -D${variable}=...")
  endif()
endforeach()

file(REMOVE_RECURSE "${OUTPUT_DIR}")
execute_process(COMMAND "${PYTHON}" "${SOURCE_DIR}/generate_tables.py" "${OUTPUT_DIR}"
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "generate_tables.py failed (${status})")
endif()

file(GLOB written RELATIVE "${OUTPUT_DIR}" "${OUTPUT_DIR}/*")
list(SORT written)
set(expected ${tables})
list(SORT expected)
if(NOT written STREQUAL expected)
  message(FATAL_ERROR "generate_tables.py wrote '${written}', this check compares '${expected}'")
endif()

find_program(DIFF diff)
set(differing "")
foreach(table IN LISTS tables)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
                          "${SOURCE_DIR}/${table}" "${OUTPUT_DIR}/${table}"
                  RESULT_VARIABLE differs)
  if(differs)
    list(APPEND differing ${table})
    message("${SOURCE_DIR}/${table} is not what generate_tables.py writes (${OUTPUT_DIR}/${table})")
    if(DIFF)
      execute_process(COMMAND "${DIFF}" -u "${SOURCE_DIR}/${table}" "${OUTPUT_DIR}/${table}")
    endif()
  else()
    message("${table}: as generated")
  endif()
endforeach()
if(differing)
  list(JOIN differing ", " differing)
  message(FATAL_ERROR "the committed tables differ from the generator's: ${differing}")
endif()
