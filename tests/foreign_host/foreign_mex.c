/* libmex of the foreign host: the two interpreter functions the module calls.
 *
 * "message" makes a message object: the id and arguments are copied into this
 * library's table at once (the arrays belong to the call and are freed with it) and the
 * object the module gets back carries only the entry's tag. "error" records the message
 * it is given and leaves the gateway call through the host's exit; it never returns,
 * so a module that carried on after it would be a module this host cannot run. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "foreign_runtime.h"

#define MESSAGE_TAG_BASE 0x4D534700u
enum { MESSAGES_MAX = 8 };

static void **exit_buffer;
static struct foreign_call_log call_log;
static struct foreign_message messages[MESSAGES_MAX];
static uint32_t message_count;

void foreign_mex_arm(void **buffer) {
  exit_buffer = buffer;
  memset(&call_log, 0, sizeof call_log);
  message_count = 0;
}

void foreign_mex_disarm(void) { exit_buffer = NULL; }

const struct foreign_call_log *foreign_mex_log(void) { return &call_log; }

static void copy_text(char *out, const char *in) {
  size_t n = strlen(in);
  if (n >= FOREIGN_TEXT_MAX) n = FOREIGN_TEXT_MAX - 1;
  memcpy(out, in, n);
  out[n] = '\0';
}

static void describe(const mxArray *array, struct foreign_value *v) {
  memset(v, 0, sizeof *v);
  v->class_id = mxGetClassID(array);
  v->rows = mxGetM(array);
  v->columns = mxGetN(array);
  v->complex_values = mxIsComplex(array);
  if (v->class_id == FX_CHAR) foreign_mx_text(array, v->text, sizeof v->text);
  const double *pr = v->class_id == FX_DOUBLE ? mxGetPr(array) : NULL;
  if (pr) v->first = pr[0];
}

/* args[0] is the id, as text; the rest are the message's arguments. */
static bool record_message(struct foreign_message *m, int nresults, int nargs, mxArray *args[]) {
  memset(m, 0, sizeof *m);
  m->nresults = nresults;
  m->nargs = nargs;
  if (nargs < 1 || !args || foreign_mx_text(args[0], m->id, sizeof m->id) < 0) return false;
  m->argc = nargs - 1;
  for (int i = 0; i < m->argc && i < FOREIGN_ARGS_MAX; i++) describe(args[i + 1], &m->args[i]);
  return true;
}

static int make_message(int nresults, mxArray *results[], int nargs, mxArray *args[]) {
  call_log.message_calls++;
  if (message_count == MESSAGES_MAX || nresults < 1 || !results) return 1;
  if (!record_message(&messages[message_count], nresults, nargs, args)) return 1;
  results[0] = foreign_mx_create_object(MESSAGE_TAG_BASE + message_count);
  if (!results[0]) return 1;
  message_count++;
  return 0;
}

/* Kept apart from the host's __builtin_setjmp, as the builtin pair requires. */
static _Noreturn __attribute__((noinline)) void leave_gateway(void) {
  if (!exit_buffer) {
    fputs("foreign host: the module raised an error outside a gateway call\n", stderr);
    abort();
  }
  __builtin_longjmp(exit_buffer, 1);
}

static _Noreturn void raise_error(int nresults, int nargs, mxArray *args[]) {
  call_log.error_calls++;
  call_log.error_nresults = nresults;
  call_log.error_nargs = nargs;
  uint32_t tag;
  if (nargs >= 1 && args && foreign_mx_object_tag(args[0], &tag) &&
      tag - MESSAGE_TAG_BASE < message_count) {
    call_log.error_had_message = true;
    call_log.raised = messages[tag - MESSAGE_TAG_BASE];
  } else {
    record_message(&call_log.raised, nresults, nargs, args);  /* an id given as text */
  }
  leave_gateway();
}

int mexCallMATLABWithObject(int nresults, mxArray *results[], int nargs, mxArray *args[],
                            const char *name) {
  if (name && strcmp(name, "message") == 0) return make_message(nresults, results, nargs, args);
  if (name && strcmp(name, "error") == 0) raise_error(nresults, nargs, args);
  call_log.other_calls++;
  copy_text(call_log.other_name, name ? name : "(null)");
  return 1;
}

void mexWarnMsgTxt(const char *text) {
  call_log.warnings++;
  printf("foreign host: the module warns: %s\n", text ? text : "(null)");
}
