#include "plugin_module.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#include <climits>
#endif

#include <filesystem>
#include <system_error>

namespace substitute_host {

#if defined(_WIN32)
// Without an extension Windows would append ".dll"; a final '.' says there is none.
static void* openLibrary(const std::string& path) {
  const bool noExtension = !std::filesystem::path(path).has_extension();
  return LoadLibraryA((noExtension ? path + "." : path).c_str());
}
static void* findSymbol(void* handle, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}
static void closeLibrary(void* handle) { FreeLibrary(static_cast<HMODULE>(handle)); }
static std::string loadError() { return "error " + std::to_string(GetLastError()); }
const char* pluginFileName() { return "Corvalent2.mexw64"; }
static std::string executablePath() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, n);
}
#else
static void* openLibrary(const std::string& path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }
static void* findSymbol(void* handle, const char* name) { return dlsym(handle, name); }
static void closeLibrary(void* handle) { dlclose(handle); }
static std::string loadError() {
  const char* text = dlerror();
  return text != nullptr ? text : "unknown error";
}
const char* pluginFileName() { return "Corvalent2.mexa64"; }
static std::string executablePath() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  return n > 0 ? std::string(path, static_cast<std::size_t>(n)) : std::string();
}
#endif

// A path given by the user means that file. A bare file name would be looked up along
// the dynamic loader's search path (the tool's own folder first) and could load another
// module of that name; made absolute, it names the file in the current folder.
static std::string fileItself(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.string();
}

bool loadPluginModule(const std::string& path, PluginModule& module, std::string& error) {
  void* handle = openLibrary(fileItself(path));
  if (handle == nullptr) {
    error = "cannot load the plug-in module '" + path + "': " + loadError();
    return false;
  }
  auto gateway = reinterpret_cast<MexGateway>(findSymbol(handle, "mexFunction"));
  auto version = reinterpret_cast<ApiVersionQuery>(findSymbol(handle, "mexfilerequiredapiversion"));
  if (gateway == nullptr || version == nullptr) {
    closeLibrary(handle);
    error = "'" + path + "' is not a plug-in module: it lacks " +
            (gateway == nullptr ? "mexFunction" : "mexfilerequiredapiversion");
    return false;
  }
  module = {handle, gateway, version};
  return true;
}

void unloadPluginModule(PluginModule& module) {
  if (module.handle != nullptr) closeLibrary(module.handle);
  module = {};
}

std::string executableDirectory() {
  const std::string path = executablePath();
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string pluginPathNextToExecutable() { return executableDirectory() + pluginFileName(); }

}  // namespace substitute_host
