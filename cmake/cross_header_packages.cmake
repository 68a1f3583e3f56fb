# Header-only packages of the build host, offered to a cross build.
#
# CLI11 and nlohmann_json are headers only, so the build host's copies serve any target.
# Their installed CMake packages cannot be used as they are: the cross build finds
# packages in the target's sysroot only, and their include directory, /usr/include,
# must not reach the cross compiler, whose C library headers it would shadow. So each
# package's own header folder alone is linked into the build tree, and a package
# configuration naming it is written beside it; find_package(<name>) then finds that,
# with the build host's version check.

function(corvalent2_stage_header_package name header_folder target)
  set(staged ${CMAKE_BINARY_DIR}/cross-packages)
  find_path(${name}_HOST_INCLUDE_DIR ${header_folder} NO_CMAKE_FIND_ROOT_PATH
            PATHS /usr/include /usr/local/include)
  find_file(${name}_HOST_VERSION_FILE ${name}ConfigVersion.cmake NO_CMAKE_FIND_ROOT_PATH
            PATHS /usr/share/cmake/${name} /usr/lib/cmake/${name}
                  /usr/local/share/cmake/${name} /usr/local/lib/cmake/${name})
  if(NOT ${name}_HOST_INCLUDE_DIR OR NOT ${name}_HOST_VERSION_FILE)
    return()  # left to find_package to report
  endif()
  file(MAKE_DIRECTORY ${staged}/include ${staged}/${name})
  file(CREATE_LINK ${${name}_HOST_INCLUDE_DIR}/${header_folder} ${staged}/include/${header_folder}
       SYMBOLIC)
  file(WRITE ${staged}/${name}/${name}ConfigVersion.cmake
       "include(\"${${name}_HOST_VERSION_FILE}\")\n")
  file(WRITE ${staged}/${name}/${name}Config.cmake
       "if(NOT TARGET ${target})\n"
       "  add_library(${target} INTERFACE IMPORTED)\n"
       "  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES \"${staged}/include\")\n"
       "endif()\n")
  set(${name}_DIR ${staged}/${name} CACHE PATH "" FORCE)
endfunction()

corvalent2_stage_header_package(CLI11 CLI CLI11::CLI11)
corvalent2_stage_header_package(nlohmann_json nlohmann nlohmann_json::nlohmann_json)
