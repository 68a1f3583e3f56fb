# GNU Octave writes random input rows as CSV and as MAT files in every layout, -v6 and
# -v7; `corvalent2 replay` of each MAT file must write the very bytes it writes for the
# CSV. Octave also writes the replay's outputs back as MAT files, which `corvalent2
# compare` must find equal to the CSV. Files it must refuse are refused with exit
# status 2 and one message that names the file and the variable.
# Arguments: -DTOOL=corvalent2 -DOCTAVE=octave-cli -DSOURCE=this folder -DWORK=scratch
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(status ${status} PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

run(${OCTAVE} --norc --no-history --quiet --path ${SOURCE}
    --eval "write_layouts ('${WORK}', 20000, 7)")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "Octave failed to write the files: ${err}")
endif()

run(${TOOL} replay ${WORK}/rows.csv -o ${WORK}/reference.csv)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "replay of rows.csv failed: ${err}")
endif()
foreach(layout matrix13 matrix14 struct signals)
  foreach(version v6 v7)
    set(name ${layout}_${version})
    run(${TOOL} replay ${WORK}/${name}.mat -o ${WORK}/${name}.csv)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "replay of ${name}.mat failed (${status}): ${err}")
    endif()
    run(${CMAKE_COMMAND} -E compare_files ${WORK}/reference.csv ${WORK}/${name}.csv)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "replay of ${name}.mat differs from the replay of rows.csv")
    endif()
  endforeach()
endforeach()

# A structure with time whose signals.label names its shuffled columns replays as the
# rows in port order do.
run(${OCTAVE} --norc --no-history --quiet --path ${SOURCE} --eval "write_labels ('${WORK}')")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "Octave failed to write the labelled files: ${err}")
endif()
foreach(name labels_char_v6 labels_char_v7 labels_cell_v6 labels_cell_v7)
  run(${TOOL} replay ${WORK}/${name}.mat -o ${WORK}/${name}.csv)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "replay of ${name}.mat failed (${status}): ${err}")
  endif()
  run(${CMAKE_COMMAND} -E compare_files ${WORK}/reference.csv ${WORK}/${name}.csv)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "replay of ${name}.mat differs from the replay of rows.csv")
  endif()
endforeach()

# MAT in, MAT out: each replay's MAT output, in its input's layout, holds the bits of
# the CSV replay (Octave loads and compares them).
foreach(layout matrix13 matrix14 struct signals)
  foreach(version v6 v7)
    set(name ${layout}_${version})
    run(${TOOL} replay ${WORK}/${name}.mat -o ${WORK}/out_${name}.mat)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "replay of ${name}.mat to MAT failed (${status}): ${err}")
    endif()
  endforeach()
endforeach()
run(${OCTAVE} --norc --no-history --quiet --path ${SOURCE} --eval "check_mat_replays ('${WORK}')")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the MAT outputs differ from the CSV replay: ${err}")
endif()

# The outputs, as MAT files in three layouts, against the CSV: the same; one value one
# single apart: different.
run(${OCTAVE} --norc --no-history --quiet --path ${SOURCE} --eval "write_outputs ('${WORK}')")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "Octave failed to write the outputs: ${err}")
endif()
foreach(name outputs_matrix outputs_struct outputs_signals)
  run(${TOOL} compare ${WORK}/reference.csv ${WORK}/${name}.mat)
  if(NOT status EQUAL 0 OR NOT out MATCHES "\nresult: all 6 columns agree within the tolerance\n")
    message(FATAL_ERROR "compare with ${name}.mat (${status}): ${out}${err}")
  endif()
endforeach()
run(${TOOL} compare ${WORK}/outputs_matrix.mat ${WORK}/outputs_changed.mat)
if(NOT status EQUAL 1 OR NOT out MATCHES "\nvabcNorm1_b +20000 +1 +1 +1 +0  row 100: ")
  message(FATAL_ERROR "compare with outputs_changed.mat (${status}): ${out}${err}")
endif()

# Refused, each with exit status 2 and one message naming the file and the variable.
function(expect_refusal file message)
  run(${TOOL} replay ${WORK}/${file} -o ${WORK}/refused.csv)
  set(expected "corvalent2 replay: ${WORK}/${file}: ${message}\n")
  if(NOT status EQUAL 2 OR NOT err STREQUAL expected OR EXISTS ${WORK}/refused.csv)
    message(FATAL_ERROR "replay of ${file}: status ${status}, message\n${err}expected\n${expected}")
  endif()
  # The same into a MAT file: refused before the output exists.
  run(${TOOL} replay ${WORK}/${file} -o ${WORK}/refused.mat)
  if(NOT status EQUAL 2 OR NOT err STREQUAL expected OR EXISTS ${WORK}/refused.mat)
    message(FATAL_ERROR "replay of ${file} to MAT: status ${status}, message\n${err}expected\n${expected}")
  endif()
endfunction()
expect_refusal(int32.mat
  "variable 'wrong' is of the integer class int32; only single or double values can be read")
expect_refusal(complex.mat "variable 'wrong' is complex; only real single or double values can be read")
expect_refusal(cell.mat "variable 'wrong' is a cell array; only single or double values can be read")
expect_refusal(twelve.mat
  "variable 'wrong' has 12 columns; the 13 inputs need 13 columns, or one more with time first")
expect_refusal(missing.mat
  "the file lacks the variable 'steerAngle'; one variable per signal needs all 13 inputs")
expect_refusal(two.mat "several variables fit ('a', 'b'); name the one to read with --variable NAME")

expect_refusal(label_unknown.mat
  "variable 'x.signals.label' names 'theta9', which is none of the 13 inputs of the block")
expect_refusal(label_twice.mat "variable 'x.signals.label' names 'iabc1_b' twice")
expect_refusal(label_short.mat
  "variable 'x.signals.label' lacks 'iqCommand'; it must name each of the 13 columns of the values")

# --variable picks one of several.
run(${TOOL} replay ${WORK}/two.mat --variable b -o ${WORK}/two.csv)
run(${CMAKE_COMMAND} -E compare_files ${WORK}/reference.csv ${WORK}/two.csv)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "replay of two.mat --variable b differs from the replay of rows.csv")
endif()
