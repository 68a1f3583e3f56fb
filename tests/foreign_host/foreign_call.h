#ifndef FOREIGN_CALL_H
#define FOREIGN_CALL_H

#include "foreign_abi.h"

/* One gateway call as a host makes it: plhs (at least one slot, whatever nlhs) starts
 * empty; every array and mxCalloc block the module makes belongs to the call and is
 * freed when it ends, except the results in plhs. An error raised through the
 * interpreter ends the call at once: the answer is then true, and whatever the module
 * had put in plhs is freed with the rest (the pointers are left for the caller to see
 * that there were none). */
bool foreign_call(foreign_gateway_fn gateway, int nlhs, mxArray *plhs[], int nrhs,
                  mxArray *prhs[]);

#endif
