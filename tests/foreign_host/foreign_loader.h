/* Opening the module and finding out where the libraries it runs on came from: the
 * two things that differ between Linux and Windows. */
#ifndef FOREIGN_LOADER_H
#define FOREIGN_LOADER_H

#include "foreign_abi.h"

struct foreign_module {
  void *handle;
  foreign_gateway_fn gateway;
  foreign_api_version_fn api_version;
};

/* Loads the file at path (a bare name means the file in the current folder, never one
 * found along the loader's search path) and finds both entry points; failures are
 * reported as checks. */
bool foreign_open_module(const char *path, struct foreign_module *module);
void foreign_close_module(struct foreign_module *module);

/* Checks that the matrix and interpreter libraries loaded are this host's, from the
 * executable's own folder, that the module's twelve imports bind to them, and that
 * nothing of the project's own host is loaded: no object lies under any of the
 * forbidden folders or is named after the substitute. */
void foreign_check_libraries(const struct foreign_module *module, char *const forbidden[],
                             int count);

#endif
