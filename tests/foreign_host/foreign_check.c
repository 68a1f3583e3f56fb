#include "foreign_check.h"

#include <stdarg.h>
#include <stdio.h>

static const char *group_name;
static int group_failures, groups, failed_groups, failures;

static void close_group(void) {
  if (!group_name) return;
  printf("%s: %s\n", group_failures ? "FAILED" : "ok", group_name);
  fflush(stdout);  /* in order with the failures on standard error, and out before a crash */
  groups++;
  if (group_failures) failed_groups++;
  group_name = NULL;
}

void foreign_group(const char *name) {
  close_group();
  group_name = name;
  group_failures = 0;
}

static void report(const char *format, va_list args) {
  fputs("foreign host: ", stderr);
  vfprintf(stderr, format, args);
  fputc('\n', stderr);
  group_failures++;
  failures++;
}

bool foreign_expect(bool ok, const char *format, ...) {
  if (ok) return true;
  va_list args;
  va_start(args, format);
  report(format, args);
  va_end(args);
  return false;
}

void foreign_fail(const char *format, ...) {
  va_list args;
  va_start(args, format);
  report(format, args);
  va_end(args);
}

bool foreign_summary(void) {
  close_group();
  if (failures)
    printf("foreign host: %d of %d groups of checks failed (%d failed checks)\n", failed_groups,
           groups, failures);
  else
    printf("foreign host: all %d groups of checks passed\n", groups);
  fflush(stdout);
  return failures == 0;
}
