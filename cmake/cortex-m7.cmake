# Cross-building the controller and its bare-metal runner for a Cortex-M7 with the
# double-precision FPU (build-cortex-m7/), run on QEMU's mps2-an500 board:
#   cmake -S . -B build-cortex-m7 -DCMAKE_TOOLCHAIN_FILE=cmake/cortex-m7.cmake
set(CORVALENT2_CPU_FLAGS "-mcpu=cortex-m7 -mfpu=fpv5-d16 -mfloat-abi=hard -mthumb")
set(CORVALENT2_TARGET_NAME cortex-m7 CACHE STRING "The target the runner is built for")
include(${CMAKE_CURRENT_LIST_DIR}/arm-none-eabi.cmake)
