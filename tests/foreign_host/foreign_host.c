/* A host of its own for the plug-in module: it loads the module next to nothing but its
 * own matrix and interpreter libraries and checks that the module runs on them.
 *
 *   foreign_host MODULE [FORBIDDEN_FOLDER...]
 *
 * Exit status 0 when every check passes, 1 when one fails, 2 on wrong usage. */
#include <stdio.h>
#include <string.h>

#include "foreign_call.h"
#include "foreign_check.h"
#include "foreign_loader.h"
#include "foreign_runtime.h"

enum { SIZES_COUNT = 40 };

/* What the module declares to a command-line query, written out in full here. */
static const double expected_sizes[SIZES_COUNT] = {
    [2] = 2, [3] = 9, [6] = 1, [19] = 8480229, [23] = 537403394, [31] = 524290};

static const char description[] = "MEX level2 S-function \"Corvalent2\"";

struct expected_error {
  const char *what;
  const char *id;
  int argc;          /* 1: the description; 2: and a double scalar */
  double number;
};

static void check_api_version(const struct foreign_module *module) {
  unsigned first = 0, second = 0;
  foreign_group("the module asks for the host's interface version");
  module->api_version(&first, &second);
  foreign_expect(first == 131594u && second == 117440512u,
                 "mexfilerequiredapiversion stored %u and %u, not 131594 and 117440512", first,
                 second);
}

static void check_sizes_vector(const mxArray *sizes) {
  const double *pr = mxGetPr(sizes);
  if (!foreign_expect(mxGetClassID(sizes) == FX_DOUBLE && !mxIsComplex(sizes) && pr,
                      "sizes query: the result is no real double array"))
    return;
  if (!foreign_expect(mxGetM(sizes) == SIZES_COUNT && mxGetN(sizes) == 1,
                      "sizes query: the result is %zux%zu, not 40x1", mxGetM(sizes),
                      mxGetN(sizes)))
    return;
  int differing = 0, first = -1;
  for (int i = 0; i < SIZES_COUNT; i++)
    if (memcmp(&pr[i], &expected_sizes[i], sizeof(double)) != 0 && differing++ == 0) first = i;
  if (differing)
    foreign_fail("sizes query: %d entries differ, the first is entry %d: %.17g, not %.17g",
                 differing, first, pr[first], expected_sizes[first]);
}

static void destroy_all(mxArray *arrays[], int count) {
  for (int i = 0; i < count; i++) foreign_mx_destroy(arrays[i]);
}

static void check_sizes_query(const struct foreign_module *module) {
  foreign_group("a sizes query answers the 40 declared sizes from this host's memory");
  mxArray *args[4] = {mxCreateString("Corvalent2"), mxCreateDoubleMatrix_700(0, 0, 0),
                      mxCreateDoubleMatrix_700(1, 3, 0), mxCreateDoubleScalar(0.0)};
  mxArray *plhs[1];
  const struct foreign_mx_counts before = foreign_mx_counts();
  const bool raised = foreign_call(module->gateway, 1, plhs, 4, args);
  const struct foreign_mx_counts after = foreign_mx_counts();
  const struct foreign_call_log *log = foreign_mex_log();
  foreign_expect(!raised, "sizes query: the module raised \"%s\"", log->raised.id);
  foreign_expect(log->other_calls == 0, "sizes query: the module called \"%s\"", log->other_name);
  foreign_expect(after.callocs > before.callocs, "sizes query: no mxCalloc reached this host");
  foreign_expect(after.misuses == before.misuses, "sizes query: the module used an array or size "
                                                  "this host cannot have given it");
  if (!raised && foreign_expect(foreign_mx_owns(plhs[0]),
                                "sizes query: no result array of this host's")) {
    foreign_expect(after.live_blocks == before.live_blocks + 1,
                   "sizes query: %zu blocks live after the call, %zu before; only the result "
                   "should outlive it", after.live_blocks, before.live_blocks);
    check_sizes_vector(plhs[0]);
    foreign_mx_destroy(plhs[0]);
  }
  destroy_all(args, 4);
}

static void check_message(const struct foreign_message *m, const struct expected_error *e) {
  foreign_expect(strcmp(m->id, e->id) == 0, "%s: the error's id is \"%s\", not \"%s\"", e->what,
                 m->id, e->id);
  foreign_expect(m->nresults == 1 && m->nargs == 1 + e->argc,
                 "%s: \"message\" was asked for %d results of %d arguments, not 1 of %d", e->what,
                 m->nresults, m->nargs, 1 + e->argc);
  if (!foreign_expect(m->argc == e->argc, "%s: the message has %d arguments, not %d", e->what,
                      m->argc, e->argc))
    return;
  const struct foreign_value *text = &m->args[0];
  foreign_expect(text->class_id == FX_CHAR && text->rows == 1 &&
                     text->columns == strlen(description) && strcmp(text->text, description) == 0,
                 "%s: the message's first argument is not the text %s", e->what, description);
  const struct foreign_value *number = &m->args[1];
  foreign_expect(e->argc < 2 || (number->class_id == FX_DOUBLE && number->rows == 1 &&
                                 number->columns == 1 && !number->complex_values &&
                                 number->first == e->number),
                 "%s: the message's second argument is not the double %g", e->what, e->number);
}

static void check_error_arrived(bool raised, const mxArray *result, const struct expected_error *e) {
  const struct foreign_call_log *log = foreign_mex_log();
  if (!foreign_expect(raised, "%s: the call returned instead of raising an error", e->what))
    return;
  foreign_expect(log->message_calls == 1, "%s: %d \"message\" calls, not 1", e->what,
                 log->message_calls);
  foreign_expect(log->error_calls == 1 && log->error_nresults == 0 && log->error_nargs == 1 &&
                     log->error_had_message,
                 "%s: \"error\" was not called once, with no result and one message object",
                 e->what);
  foreign_expect(log->other_calls == 0, "%s: the module called \"%s\"", e->what, log->other_name);
  foreign_expect(result == NULL, "%s: the module returned a result besides the error", e->what);
  check_message(&log->raised, e);
}

static void check_argument_error(const struct foreign_module *module, int nrhs, double flag,
                                 const struct expected_error *e) {
  mxArray *args[4] = {mxCreateDoubleMatrix_700(0, 0, 0), mxCreateDoubleMatrix_700(0, 0, 0),
                      mxCreateDoubleMatrix_700(0, 0, 0), mxCreateDoubleScalar(flag)};
  mxArray *plhs[1];
  const struct foreign_mx_counts before = foreign_mx_counts();
  const bool raised = foreign_call(module->gateway, 1, plhs, nrhs, args);
  const struct foreign_mx_counts after = foreign_mx_counts();
  check_error_arrived(raised, plhs[0], e);
  foreign_expect(after.live_blocks == before.live_blocks,
                 "%s: %zu blocks live after the call, %zu before", e->what, after.live_blocks,
                 before.live_blocks);
  foreign_expect(after.misuses == before.misuses,
                 "%s: the module used an array or size this host cannot have given it", e->what);
  destroy_all(args, 4);
}

static void check_argument_errors(const struct foreign_module *module) {
  static const struct expected_error too_few = {
      "three arguments", "Simulink:SFunctions:SimStructTooFewRHSArguments", 2, 4.0};
  static const struct expected_error not_integer = {
      "flag 0.5", "Simulink:SFunctions:SimStructForthRHSArgIsNotInteger", 1, 0.0};
  foreign_group("three arguments raise the too-few-arguments error through this host");
  check_argument_error(module, 3, 0.0, &too_few);
  foreign_group("a flag of 0.5 raises the flag-not-integer error through this host");
  check_argument_error(module, 4, 0.5, &not_integer);
}

int main(int argc, char **argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: %s MODULE [FORBIDDEN_FOLDER...]\n", argv[0]);
    return 2;
  }
  struct foreign_module module;
  foreign_group("the module loads and exports its two entry points");
  if (foreign_open_module(argv[1], &module)) {
    foreign_group("the module runs on this host's libraries alone");
    foreign_check_libraries(&module, argv + 2, argc - 2);
    check_api_version(&module);
    check_sizes_query(&module);
    check_argument_errors(&module);
    foreign_close_module(&module);
  }
  return foreign_summary() ? 0 : 1;
}
