#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "foreign_check.h"
#include "foreign_loader.h"

/* GetProcAddress answers a generic function pointer; going through void (*)(void)
 * says that the cast to the entry point's real type is meant. */
typedef void (*any_function)(void);

bool foreign_open_module(const char *path, struct foreign_module *module) {
  char local[MAX_PATH];
  if (!strpbrk(path, "/\\:")) {
    snprintf(local, sizeof local, ".\\%s", path);
    path = local;
  }
  memset(module, 0, sizeof *module);
  HMODULE handle = LoadLibraryA(path);
  if (!handle) {
    foreign_fail("the module %s does not load: error %lu", path, GetLastError());
    return false;
  }
  module->handle = handle;
  module->gateway = (foreign_gateway_fn)(any_function)GetProcAddress(handle, "mexFunction");
  module->api_version = (foreign_api_version_fn)(any_function)GetProcAddress(
      handle, "mexfilerequiredapiversion");
  foreign_expect(module->gateway != NULL, "the module exports no mexFunction");
  foreign_expect(module->api_version != NULL, "the module exports no mexfilerequiredapiversion");
  return module->gateway && module->api_version;
}

void foreign_close_module(struct foreign_module *module) {
  if (module->handle) FreeLibrary((HMODULE)module->handle);
  module->handle = NULL;
}

static bool folder_of(HMODULE handle, char *out, DWORD capacity) {
  DWORD n = GetModuleFileNameA(handle, out, capacity);
  if (n == 0 || n >= capacity) return false;
  char *cut = NULL;
  for (char *p = out; *p; p++)
    if (*p == '\\' || *p == '/') cut = p;
  if (cut) *cut = '\0';
  return true;
}

static void check_from_host_folder(const char *name, const char *host_folder) {
  HMODULE handle = GetModuleHandleA(name);
  char folder[MAX_PATH];
  if (!foreign_expect(handle != NULL, "%s is not loaded", name)) return;
  if (!foreign_expect(folder_of(handle, folder, sizeof folder), "%s has no file name", name))
    return;
  foreign_expect(_stricmp(folder, host_folder) == 0,
                 "%s is loaded from %s, not from the host's folder %s", name, folder, host_folder);
}

/* One import descriptor of the module: every slot must hold the address the library of
 * that name, as loaded in this process, exports under the slot's name. Answers the
 * number of slots. */
static int check_slots(const BYTE *base, const IMAGE_IMPORT_DESCRIPTOR *d, HMODULE from,
                       const char *dll) {
  const IMAGE_THUNK_DATA *names = (const void *)(base + d->OriginalFirstThunk);
  const IMAGE_THUNK_DATA *slots = (const void *)(base + d->FirstThunk);
  int n = 0;
  for (; d->OriginalFirstThunk && names->u1.AddressOfData; names++, slots++, n++) {
    if (!foreign_expect(!IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal),
                        "the module imports from %s by ordinal", dll))
      continue;
    const IMAGE_IMPORT_BY_NAME *by = (const void *)(base + names->u1.AddressOfData);
    const char *name = (const char *)by->Name;
    ULONG_PTR ours = (ULONG_PTR)GetProcAddress(from, name);
    foreign_expect(ours != 0 && ours == slots->u1.Function,
                   "the module's %s from %s is not bound to the host's", name, dll);
  }
  return n;
}

/* Walks the module's import table: the twelve operations come from libmx.dll and
 * libmex.dll, bound to the loaded ones, and nothing comes from the substitute's DLL. */
static void check_bindings(HMODULE module, HMODULE mx, HMODULE mex) {
  const BYTE *base = (const BYTE *)module;
  const IMAGE_NT_HEADERS *nt =
      (const void *)(base + ((const IMAGE_DOS_HEADER *)(const void *)base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY *imports =
      &nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  const IMAGE_IMPORT_DESCRIPTOR *d = (const void *)(base + imports->VirtualAddress);
  int bound = 0;
  for (; imports->VirtualAddress && d->Name; d++) {
    const char *dll = (const char *)(base + d->Name);
    foreign_expect(_stricmp(dll, "substitute-host.dll") != 0, "the module imports from %s", dll);
    HMODULE from = _stricmp(dll, "libmx.dll") == 0 ? mx : _stricmp(dll, "libmex.dll") == 0 ? mex : NULL;
    if (from) bound += check_slots(base, d, from, dll);
  }
  foreign_expect(bound == 12, "the module takes %d operations from libmx.dll and libmex.dll, not 12",
                 bound);
}

/* Windows reuses a loaded DLL of the same name for every module that imports it, so
 * naming the two libraries finds the ones the module runs on. The forbidden folders are
 * build-machine paths, which a Windows path cannot be compared with: the substitute's
 * DLL is looked for by name instead. */
void foreign_check_libraries(const struct foreign_module *module, char *const forbidden[],
                             int count) {
  (void)forbidden;
  (void)count;
  char host_folder[MAX_PATH];
  if (!foreign_expect(folder_of(NULL, host_folder, sizeof host_folder),
                      "the host cannot tell where its executable lies"))
    return;
  check_from_host_folder("libmx.dll", host_folder);
  check_from_host_folder("libmex.dll", host_folder);
  foreign_expect(GetModuleHandleA("substitute-host.dll") == NULL,
                 "the substitute host's substitute-host.dll is loaded");
  HMODULE mx = GetModuleHandleA("libmx.dll"), mex = GetModuleHandleA("libmex.dll");
  if (mx && mex) check_bindings((HMODULE)module->handle, mx, mex);
}
