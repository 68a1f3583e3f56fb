#define _GNU_SOURCE
#include <dlfcn.h>
#include <limits.h>
#include <link.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "foreign_check.h"
#include "foreign_loader.h"

bool foreign_open_module(const char *path, struct foreign_module *module) {
  char local[PATH_MAX];
  if (!strchr(path, '/')) {
    snprintf(local, sizeof local, "./%s", path);
    path = local;
  }
  memset(module, 0, sizeof *module);
  /* Every import bound now: a module asking for something this host lacks fails here. */
  module->handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
  if (!module->handle) {
    foreign_fail("the module does not load: %s", dlerror());
    return false;
  }
  module->gateway = (foreign_gateway_fn)dlsym(module->handle, "mexFunction");
  module->api_version = (foreign_api_version_fn)dlsym(module->handle, "mexfilerequiredapiversion");
  foreign_expect(module->gateway != NULL, "the module exports no mexFunction");
  foreign_expect(module->api_version != NULL, "the module exports no mexfilerequiredapiversion");
  return module->gateway && module->api_version;
}

void foreign_close_module(struct foreign_module *module) {
  if (module->handle) dlclose(module->handle);
  module->handle = NULL;
}

struct scan {
  char host_folder[PATH_MAX];
  char forbidden[8][PATH_MAX];
  int forbidden_count;
  int mx_seen, mex_seen;
};

static void folder_of(const char *path, char *out) {
  const char *slash = strrchr(path, '/');
  size_t n = slash ? (size_t)(slash - path) : 0;
  memcpy(out, path, n);
  out[n] = '\0';
}

static bool lies_under(const char *path, const char *folder) {
  size_t n = strlen(folder);
  while (n > 1 && folder[n - 1] == '/') n--;
  return strncmp(path, folder, n) == 0 && (path[n] == '/' || path[n] == '\0');
}

static void check_library(struct scan *s, const char *real, const char *base) {
  bool mx = strcmp(base, "libmx.so") == 0, mex = strcmp(base, "libmex.so") == 0;
  if (!mx && !mex) return;
  s->mx_seen += mx;
  s->mex_seen += mex;
  char folder[PATH_MAX];
  folder_of(real, folder);
  foreign_expect(strcmp(folder, s->host_folder) == 0,
                 "%s is loaded from %s, not from the host's folder %s", base, folder,
                 s->host_folder);
}

static void check_not_forbidden(const struct scan *s, const char *real) {
  foreign_expect(!strstr(real, "substitute"), "a substitute host's object is loaded: %s", real);
  for (int i = 0; i < s->forbidden_count; i++)
    foreign_expect(!lies_under(real, s->forbidden[i]), "%s is loaded from inside %s", real,
                   s->forbidden[i]);
}

static int visit(struct dl_phdr_info *info, size_t size, void *data) {
  (void)size;
  struct scan *s = data;
  char real[PATH_MAX];
  if (!info->dlpi_name || !info->dlpi_name[0]) return 0;  /* the executable itself */
  if (!realpath(info->dlpi_name, real)) snprintf(real, sizeof real, "%s", info->dlpi_name);
  const char *slash = strrchr(real, '/');
  check_library(s, real, slash ? slash + 1 : real);
  check_not_forbidden(s, real);
  return 0;
}

/* What the module's imports bind to: the first definition in the process's global
 * scope, where the host's own libraries come before the module's. */
static void check_binding(const char *name, const char *library, const char *host_folder) {
  void *address = dlsym(RTLD_DEFAULT, name);
  Dl_info info;
  char real[PATH_MAX], folder[PATH_MAX];
  if (!foreign_expect(address && dladdr(address, &info) && info.dli_fname,
                      "%s is defined by no loaded object", name))
    return;
  if (!realpath(info.dli_fname, real)) snprintf(real, sizeof real, "%s", info.dli_fname);
  folder_of(real, folder);
  const char *slash = strrchr(real, '/');
  foreign_expect(strcmp(folder, host_folder) == 0 && slash && strcmp(slash + 1, library) == 0,
                 "the module's %s binds to %s, not to %s in %s", name, real, library, host_folder);
}

static void check_bindings(const char *host_folder) {
  static const char *const mx[] = {FOREIGN_MX_IMPORTS}, *const mex[] = {FOREIGN_MEX_IMPORTS};
  for (size_t i = 0; i < sizeof mx / sizeof mx[0]; i++)
    check_binding(mx[i], "libmx.so", host_folder);
  for (size_t i = 0; i < sizeof mex / sizeof mex[0]; i++)
    check_binding(mex[i], "libmex.so", host_folder);
}

void foreign_check_libraries(const struct foreign_module *module, char *const forbidden[],
                             int count) {
  (void)module;
  static struct scan s;
  char executable[PATH_MAX];
  memset(&s, 0, sizeof s);
  if (!foreign_expect(realpath("/proc/self/exe", executable) != NULL,
                      "the host cannot tell where its executable lies"))
    return;
  folder_of(executable, s.host_folder);
  foreign_expect(count <= 8, "only the first 8 forbidden folders are checked");
  for (int i = 0; i < count && s.forbidden_count < 8; i++)
    if (!realpath(forbidden[i], s.forbidden[s.forbidden_count++]))
      snprintf(s.forbidden[s.forbidden_count - 1], PATH_MAX, "%s", forbidden[i]);
  check_not_forbidden(&s, executable);
  dl_iterate_phdr(visit, &s);
  foreign_expect(s.mx_seen == 1, "libmx.so is loaded %d times, not once", s.mx_seen);
  foreign_expect(s.mex_seen == 1, "libmex.so is loaded %d times, not once", s.mex_seen);
  check_bindings(s.host_folder);
}
