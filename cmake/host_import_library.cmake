# corvalent2_host_import_library(<target> <file.def>)
#
# What a plug-in links to import the names a .def file lists from the host library the
# file names (its LIBRARY line), and nothing else: the plug-in's link fails on any other
# host name it uses, and at load time it binds to whichever library of that name the
# host process has loaded.
#   Windows: an import library made by the cross toolchain's dlltool from the .def file.
#   Elsewhere: a stub shared library with that soname whose functions are empty; it only
#   records the name as NEEDED and is never loaded (nothing points a search path at it).
function(corvalent2_host_import_library target def_file)
  file(STRINGS ${def_file} lines)
  set(names "")
  set(dll "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^LIBRARY[ \t]+([A-Za-z0-9_.-]+)")
      set(dll ${CMAKE_MATCH_1})
    elseif(line MATCHES "^[ \t]+([A-Za-z_][A-Za-z0-9_]*)[ \t]*$")
      list(APPEND names ${CMAKE_MATCH_1})
    endif()
  endforeach()
  string(REGEX REPLACE "^lib(.*)\\.dll$" "\\1" stem "${dll}")
  if(stem STREQUAL dll OR NOT names)
    message(FATAL_ERROR "${def_file}: needs 'LIBRARY lib<name>.dll' and indented export names")
  endif()
  set(folder ${CMAKE_CURRENT_BINARY_DIR}/host_import)
  if(WIN32)
    if(NOT CMAKE_DLLTOOL)
      message(FATAL_ERROR "no dlltool: set CMAKE_DLLTOOL in the toolchain file")
    endif()
    set(import ${folder}/lib${stem}.dll.a)
    add_custom_command(OUTPUT ${import}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
      COMMAND ${CMAKE_DLLTOOL} --input-def ${def_file} --dllname ${dll} --output-lib ${import}
      DEPENDS ${def_file} VERBATIM)
    add_custom_target(${target}_file DEPENDS ${import})
    add_library(${target} INTERFACE)
    target_link_libraries(${target} INTERFACE ${import})
    add_dependencies(${target} ${target}_file)
  else()
    set(stub "/* Generated from ${def_file}: link-time stand-ins, never loaded. */\n")
    foreach(name IN LISTS names)
      string(APPEND stub "void ${name}(void) {}\n")
    endforeach()
    file(CONFIGURE OUTPUT ${folder}/${stem}_stub.c CONTENT "${stub}")
    add_library(${target} SHARED ${folder}/${stem}_stub.c)
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${stem}
                          LIBRARY_OUTPUT_DIRECTORY ${folder} C_VISIBILITY_PRESET default)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def_file})
  endif()
endfunction()
