/* What this host's two libraries offer the host itself beyond the module's operations:
 * the scope of one gateway call, whose memory is reclaimed when the call ends, reading
 * arrays back, and the record of what the module asked the interpreter to do. */
#ifndef FOREIGN_RUNTIME_H
#define FOREIGN_RUNTIME_H

#include <stdint.h>

#include "foreign_abi.h"

/* ---- libmx ---------------------------------------------------------------------- */

/* Between these two, every array and mxCalloc block belongs to the call. Ending the call
 * frees them all except the arrays named in results, which pass to the host. */
FOREIGN_MX_API void foreign_mx_begin_call(void);
FOREIGN_MX_API void foreign_mx_end_call(mxArray *results[], int count);
/* Frees an array the host owns (made outside a call, or a kept result). */
FOREIGN_MX_API void foreign_mx_destroy(mxArray *array);
/* Whether the pointer is an array this library made and has not freed. */
FOREIGN_MX_API bool foreign_mx_owns(const mxArray *array);
/* A char array's text, code units above 0xFF shown as '?'; -1 for another class. */
FOREIGN_MX_API long foreign_mx_text(const mxArray *array, char *out, size_t capacity);
/* An object array that carries a tag, for the interpreter's objects (messages). */
FOREIGN_MX_API mxArray *foreign_mx_create_object(uint32_t tag);
FOREIGN_MX_API bool foreign_mx_object_tag(const mxArray *array, uint32_t *tag);

struct foreign_mx_counts {
  size_t live_blocks;   /* arrays and mxCalloc blocks not yet freed */
  size_t callocs;       /* mxCalloc calls so far */
  size_t misuses;       /* calls given no array of ours, or asked for impossible sizes */
};
FOREIGN_MX_API struct foreign_mx_counts foreign_mx_counts(void);

/* ---- libmex --------------------------------------------------------------------- */

enum { FOREIGN_TEXT_MAX = 160, FOREIGN_ARGS_MAX = 4 };

/* One argument of a message as it was when the module passed it. */
struct foreign_value {
  int class_id;
  size_t rows, columns;
  bool complex_values;
  double first;                  /* the first real element of a double array */
  char text[FOREIGN_TEXT_MAX];   /* the text of a char array */
};

struct foreign_message {
  int nresults, nargs;           /* as the "message" call was made */
  char id[FOREIGN_TEXT_MAX];
  int argc;                      /* arguments after the id */
  struct foreign_value args[FOREIGN_ARGS_MAX];
};

/* Everything the module asked of the interpreter during one call. */
struct foreign_call_log {
  int message_calls, error_calls, other_calls, warnings;
  int error_nresults, error_nargs;
  bool error_had_message;        /* the error's one argument was a message object of ours */
  struct foreign_message raised; /* the message the error carried */
  char other_name[FOREIGN_TEXT_MAX];
};

/* Arms the exit from a gateway call: an "error" leaves through the buffer of a
 * __builtin_setjmp made in the host, with value 1. Clears the log. */
FOREIGN_MEX_API void foreign_mex_arm(void **exit_buffer);
FOREIGN_MEX_API void foreign_mex_disarm(void);
FOREIGN_MEX_API const struct foreign_call_log *foreign_mex_log(void);

#endif
