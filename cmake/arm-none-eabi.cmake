# What the two bare-metal Cortex-M toolchain files share: GCC for arm-none-eabi with
# newlib, no operating system, semihosting for files and the exit status. The including
# file sets CORVALENT2_CPU_FLAGS (processor, FPU, hard-float calling convention, Thumb).
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_C_COMPILER arm-none-eabi-gcc)
set(CMAKE_CXX_COMPILER arm-none-eabi-g++)
set(CMAKE_AR arm-none-eabi-ar CACHE FILEPATH "")
set(CMAKE_RANLIB arm-none-eabi-ranlib CACHE FILEPATH "")
# No program can run on the build host: compiler checks link nothing.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_C_FLAGS_INIT "${CORVALENT2_CPU_FLAGS}")
set(CMAKE_CXX_FLAGS_INIT "${CORVALENT2_CPU_FLAGS} -fno-exceptions -fno-rtti")
set(CMAKE_ASM_FLAGS_INIT "${CORVALENT2_CPU_FLAGS}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${CORVALENT2_CPU_FLAGS} -nostartfiles -nodefaultlibs")
# The libraries, named here rather than by the compiler driver: newlib's system calls
# by semihosting (librdimon) in one group with the C library whose calls they answer.
# The start-up is the runner's own.
foreach(language C CXX)
  set(CMAKE_${language}_STANDARD_LIBRARIES
      "-Wl,--start-group -lstdc++ -lm -lc -lrdimon -lgcc -Wl,--end-group" CACHE STRING "")
endforeach()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CORVALENT2_TARGET_ONLY ON CACHE BOOL "Build only the controller and its target runner")
