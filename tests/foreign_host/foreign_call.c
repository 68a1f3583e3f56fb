#include "foreign_call.h"

#include "foreign_runtime.h"

/* The exit an error takes: five words for __builtin_setjmp, whose partner
 * __builtin_longjmp is made in libmex. The C library's longjmp is not used: on 64-bit
 * Windows it unwinds frame by frame through the module's unwind tables, which is not
 * what a host ending a call does. */
static void *exit_buffer[5];

static __attribute__((noinline)) bool enter(foreign_gateway_fn gateway, int nlhs,
                                            mxArray *plhs[], int nrhs, const mxArray *prhs[]) {
  if (__builtin_setjmp(exit_buffer)) return true;
  gateway(nlhs, plhs, nrhs, prhs);
  return false;
}

bool foreign_call(foreign_gateway_fn gateway, int nlhs, mxArray *plhs[], int nrhs,
                  mxArray *prhs[]) {
  int slots = nlhs > 0 ? nlhs : 1;
  for (int i = 0; i < slots; i++) plhs[i] = NULL;
  foreign_mx_begin_call();
  foreign_mex_arm(exit_buffer);
  bool raised = enter(gateway, nlhs, plhs, nrhs, (const mxArray **)prhs);
  foreign_mex_disarm();
  foreign_mx_end_call(plhs, raised ? 0 : slots);
  return raised;
}
