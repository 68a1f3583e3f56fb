# cmake -DNM=<nm> -DREADELF=<readelf> -DMODULE=<Corvalent2.mex> -DDRIVER=<corvalent2_drive.mex>
#       -DOCTINTERP=<liboctinterp.so> -P check_octave_linkage.cmake
#
# The module Octave loads exports exactly mexFunction and mexfilerequiredapiversion,
# depends on no library of the substitute host, carries no search path (Octave has its
# libraries loaded already, and a path of this machine means nothing on another), and
# takes every host operation it imports from Octave's interpreter library. The driver exports only its gateway and
# carries no matrix or interpreter operation of its own: those are all Octave's. Nor does
# it start a program.

cmake_minimum_required(VERSION 3.25)

function(tool_output out)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGN}")
  endif()
  string(REPLACE "\n" ";" lines "${text}")
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()

# The names of the dynamic symbols `nm -D` lists with the given option.
function(dynamic_names file option out)
  tool_output(lines ${NM} -D ${option} ${file})
  set(names "")
  foreach(line IN LISTS lines)
    if(line MATCHES "([^ ]+)$")
      list(APPEND names "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  list(SORT names)
  set(${out} "${names}" PARENT_SCOPE)
endfunction()

function(require_no_substitute_dependency file)
  tool_output(lines ${READELF} -d ${file})
  foreach(line IN LISTS lines)
    if(line MATCHES "\\((RPATH|RUNPATH)\\).*\\[(.*)\\]")
      message(FATAL_ERROR "${file} has ${CMAKE_MATCH_1} '${CMAKE_MATCH_2}'")
    elseif(line MATCHES "\\(NEEDED\\).*\\[(.+)\\]")
      set(library "${CMAKE_MATCH_1}")
      if(library MATCHES "substitute")
        message(FATAL_ERROR "${file} depends on ${library}")
      endif()
    endif()
  endforeach()
endfunction()

dynamic_names(${MODULE} --defined-only exports)
if(NOT exports STREQUAL "mexFunction;mexfilerequiredapiversion")
  message(FATAL_ERROR "${MODULE} exports '${exports}'")
endif()
require_no_substitute_dependency(${MODULE})
dynamic_names(${MODULE} --undefined-only imports)
dynamic_names(${OCTINTERP} --defined-only octave_exports)
set(host_operations 0)
foreach(name IN LISTS imports)
  if(name MATCHES "^mex|^mx")
    math(EXPR host_operations "${host_operations} + 1")
    if(NOT name IN_LIST octave_exports)
      message(FATAL_ERROR "${MODULE} imports ${name}, which Octave does not export")
    endif()
  endif()
endforeach()
if(host_operations LESS 10)
  message(FATAL_ERROR "${MODULE} imports only ${host_operations} host operations: '${imports}'")
endif()
message(STATUS "${MODULE}: exports ${exports}; ${host_operations} host operations, all Octave's")

dynamic_names(${DRIVER} --defined-only exports)
if(NOT exports STREQUAL "mexFunction")
  message(FATAL_ERROR "${DRIVER} exports '${exports}'")
endif()
require_no_substitute_dependency(${DRIVER})
tool_output(lines ${NM} --defined-only ${DRIVER})
foreach(line IN LISTS lines)
  if(line MATCHES " (mx[A-Za-z_0-9]+|mex[A-Za-z_0-9]+)$" AND NOT CMAKE_MATCH_1 STREQUAL "mexFunction")
    message(FATAL_ERROR "${DRIVER} defines the host operation ${CMAKE_MATCH_1}")
  endif()
endforeach()

# The driver runs the plant in memory: it starts no program (the simulate command's
# plotting is not linked in).
dynamic_names(${DRIVER} --undefined-only driver_imports)
foreach(name IN LISTS driver_imports)
  string(REGEX REPLACE "@.*" "" bare "${name}")
  if(bare MATCHES "^(posix_spawnp?|v?fork|exec(l|lp|le|v|vp|vpe)|system|popen)$")
    message(FATAL_ERROR "${DRIVER} imports ${bare}: it would start a program")
  endif()
endforeach()
