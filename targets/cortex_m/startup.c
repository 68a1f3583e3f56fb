/* Reset for the runner on the MPS2 boards (Cortex-M7 and Cortex-M4F): the vector table,
   the FPU switched on before any floating-point instruction, .data and .bss set up,
   semihosting opened, constructors run, then main, whose status semihosting hands back
   to whoever started the board. Any fault ends the run with status 6. */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

extern uint32_t __stack_top;
extern uint32_t __data_load, __data_start, __data_end, __bss_start, __bss_end;

extern void initialise_monitor_handles(void);
extern void __libc_init_array(void);
extern int main(void);

/* __libc_init_array calls these; the runner has no crti/crtn sections to run. */
void _init(void) {}
void _fini(void) {}

static void fault(void) { exit(6); }

void reset(void) {
  volatile uint32_t* const cpacr = (volatile uint32_t*)0xE000ED88u;
  *cpacr |= 0xFu << 20; /* full access to coprocessors 10 and 11, the FPU */
  __asm__ volatile("dsb\n\tisb" ::: "memory");
  memcpy(&__data_start, &__data_load, (size_t)((char*)&__data_end - (char*)&__data_start));
  memset(&__bss_start, 0, (size_t)((char*)&__bss_end - (char*)&__bss_start));
  initialise_monitor_handles();
  __libc_init_array();
  exit(main());
}

/* Initial stack, reset, then NMI, hard, memory-management, bus and usage faults. */
__attribute__((section(".vectors"), used)) static void* const vectors[] = {
    &__stack_top, (void*)reset, (void*)fault, (void*)fault,
    (void*)fault, (void*)fault, (void*)fault,
};
