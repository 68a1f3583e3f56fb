# cmake -DREADELF=<readelf> -DMODULE=<file> -DNEEDED=<regex> [-DREQUIRED=<lib;...>]
#       [-DEXPORTS=<name;...>] [-DDEF_FILES=<file.def;...>] -P check_elf_linkage.cmake
#
# A loadable module as the host takes it: its dynamic symbol table defines exactly
# EXPORTS (default: mexFunction and mexfilerequiredapiversion); every library it names
# as NEEDED matches NEEDED (a regex) and those in REQUIRED are among them; it carries no
# search path (RPATH or RUNPATH) but its own folder ($ORIGIN), since any other would let it
# load a library from a place the host does not choose. With DEF_FILES, every symbol it
# leaves for the host to supply without a version (the C library's carry one) is a
# name those files list.

cmake_minimum_required(VERSION 3.25)
if(NOT EXPORTS)
  set(EXPORTS mexFunction mexfilerequiredapiversion)
endif()
list(SORT EXPORTS)

execute_process(COMMAND ${READELF} --dynamic --dyn-syms --wide ${MODULE}
                OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${READELF} ${MODULE} failed")
endif()

set(host_names "")
foreach(def IN LISTS DEF_FILES)
  file(STRINGS ${def} lines REGEX "^[ \t]+[A-Za-z_][A-Za-z0-9_]*[ \t]*$")
  foreach(line IN LISTS lines)
    string(STRIP "${line}" name)
    list(APPEND host_names ${name})
  endforeach()
endforeach()

string(REPLACE ";" "," dump "${dump}")
string(REPLACE "\n" ";" lines "${dump}")
set(failures "")
set(exports "")
set(needed "")
foreach(line IN LISTS lines)
  if(line MATCHES "\\(NEEDED\\)[^[]*\\[([^]]+)\\]")
    list(APPEND needed "${CMAKE_MATCH_1}")
  elseif(line MATCHES "\\((RPATH|RUNPATH)\\)[^[]*\\[([^]]*)\\]")
    if(NOT CMAKE_MATCH_2 STREQUAL "$ORIGIN")
      string(APPEND failures "${MODULE} has ${CMAKE_MATCH_1} '${CMAKE_MATCH_2}'\n")
    endif()
  elseif(line MATCHES "^ *[0-9]+: [0-9a-f]+ +[0-9]+ [A-Z]+ +(GLOBAL|WEAK) +[A-Z]+ +([A-Z0-9]+) +([^ ]+)$")
    set(symbol "${CMAKE_MATCH_3}")
    if(NOT CMAKE_MATCH_2 STREQUAL "UND")
      list(APPEND exports "${symbol}")
    elseif(DEF_FILES AND CMAKE_MATCH_1 STREQUAL "GLOBAL" AND NOT symbol MATCHES "@"
           AND NOT symbol IN_LIST host_names)
      string(APPEND failures "${MODULE} leaves '${symbol}' to the host, which is no host operation\n")
    endif()
  endif()
endforeach()

list(SORT exports)
if(NOT exports STREQUAL EXPORTS)
  string(APPEND failures "${MODULE} exports [${exports}], not [${EXPORTS}]\n")
endif()
foreach(library IN LISTS needed)
  if(NOT library MATCHES "${NEEDED}")
    string(APPEND failures "${MODULE} needs ${library}\n")
  endif()
endforeach()
foreach(library IN LISTS REQUIRED)
  if(NOT library IN_LIST needed)
    string(APPEND failures "${MODULE} does not need ${library} [${needed}]\n")
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
message(STATUS "${MODULE}: exports [${exports}], needs [${needed}]")
