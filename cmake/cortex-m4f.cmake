# Cross-building the controller and its bare-metal runner for a Cortex-M4 with the
# single-precision FPU (build-cortex-m4f/), run on QEMU's mps2-an386 board. Doubles run
# in libgcc's software routines, which round exactly as the hardware would.
#   cmake -S . -B build-cortex-m4f -DCMAKE_TOOLCHAIN_FILE=cmake/cortex-m4f.cmake
set(CORVALENT2_CPU_FLAGS "-mcpu=cortex-m4 -mfpu=fpv4-sp-d16 -mfloat-abi=hard -mthumb")
set(CORVALENT2_TARGET_NAME cortex-m4f CACHE STRING "The target the runner is built for")
include(${CMAKE_CURRENT_LIST_DIR}/arm-none-eabi.cmake)
