/* How the foreign host reports: each failed check is one line on standard error, each
 * group of checks one line on standard output, and the exit status says whether all
 * passed. */
#ifndef FOREIGN_CHECK_H
#define FOREIGN_CHECK_H

#include <stdbool.h>

/* Formats as C99 says (%zu among them), also on Windows, where the host is built with
 * the C99 printf of mingw-w64 instead of the system's older one. */
#ifdef __MINGW32__
#define FOREIGN_FORMAT(index) __attribute__((format(gnu_printf, index, index + 1)))
#else
#define FOREIGN_FORMAT(index) __attribute__((format(printf, index, index + 1)))
#endif

/* Starts a group of checks, closing the one before. */
void foreign_group(const char *name);
/* Reports a failed check unless ok; answers ok. */
bool foreign_expect(bool ok, const char *format, ...) FOREIGN_FORMAT(2);
void foreign_fail(const char *format, ...) FOREIGN_FORMAT(1);
/* Closes the last group, prints the summary; true when nothing failed. */
bool foreign_summary(void);

#endif
