# Runs the foreign host on the module in a fresh, empty folder outside the build tree,
# holding only the module and the foreign host's three files, so the module finds no
# library but the foreign host's. The folder is removed afterwards, whatever the outcome.
#
#   cmake -DMODULE=... -DHOST=... -DMX=... -DMEX=... [-DFORBIDDEN=a|b]
#         [-DEMULATOR=prog|args] [-DEMULATOR_ENVIRONMENT=VAR=value|...] -P run_foreign_host.cmake
#
# FORBIDDEN: folders no loaded object may come from (the build and source trees),
# passed on to the host. Lists are joined with "|".
cmake_minimum_required(VERSION 3.25)

foreach(variable MODULE HOST MX MEX)
  if("${${variable}}" STREQUAL "")
    message(FATAL_ERROR "run_foreign_host: -D${variable}= is missing")
  endif()
endforeach()
string(REPLACE "|" ";" forbidden "${FORBIDDEN}")
string(REPLACE "|" ";" emulator "${EMULATOR}")
string(REPLACE "|" ";" environment "${EMULATOR_ENVIRONMENT}")

if(IS_DIRECTORY "$ENV{TMPDIR}")
  file(REAL_PATH "$ENV{TMPDIR}" base)
else()
  set(base /tmp)
endif()
foreach(folder IN LISTS forbidden)
  file(REAL_PATH "${folder}" real_folder)
  cmake_path(IS_PREFIX real_folder "${base}" NORMALIZE inside)
  if(inside)
    message(FATAL_ERROR "run_foreign_host: the temporary folder ${base} lies inside ${folder}; "
                        "point TMPDIR elsewhere")
  endif()
endforeach()

# A name no one else has: ten random characters (CMake seeds them from the system's
# random source), and a folder that already exists is never reused.
foreach(attempt RANGE 9)
  string(RANDOM LENGTH 10 ALPHABET "abcdefghijklmnopqrstuvwxyz0123456789" suffix)
  set(run_folder "${base}/corvalent2-foreign-host-${suffix}")
  if(NOT EXISTS "${run_folder}")
    break()
  endif()
endforeach()
if(EXISTS "${run_folder}")
  message(FATAL_ERROR "run_foreign_host: no free folder name under ${base}")
endif()
file(MAKE_DIRECTORY "${run_folder}")
file(COPY "${MODULE}" "${HOST}" "${MX}" "${MEX}" DESTINATION "${run_folder}")

cmake_path(GET HOST FILENAME host_name)
cmake_path(GET MODULE FILENAME module_name)
# No library path of the caller's: the host finds its libraries by its own RUNPATH.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=LD_LIBRARY_PATH ${environment}
          ${emulator} "${run_folder}/${host_name}" "${run_folder}/${module_name}" ${forbidden}
  WORKING_DIRECTORY "${run_folder}"
  RESULT_VARIABLE status)
file(REMOVE_RECURSE "${run_folder}")
if(NOT status STREQUAL "0")
  message(FATAL_ERROR "the foreign host failed (exit status ${status})")
endif()
