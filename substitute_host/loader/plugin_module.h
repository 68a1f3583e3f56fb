#pragma once

// Opening a plug-in module by path and finding its two exports, as the host does.

#include <cstdint>
#include <string>

#include "runtime/gateway_call.h"

namespace substitute_host {

using ApiVersionQuery = void (*)(uint32_t* first, uint32_t* second);

struct PluginModule {
  void* handle = nullptr;
  MexGateway gateway = nullptr;
  ApiVersionQuery apiVersion = nullptr;
};

// False with a message when the file cannot be loaded or lacks an export.
bool loadPluginModule(const std::string& path, PluginModule& module, std::string& error);
void unloadPluginModule(PluginModule& module);

// The module's file name on this platform, and where it is found by default: next to
// the running executable.
const char* pluginFileName();
std::string pluginPathNextToExecutable();

// The folder of the running executable, with a trailing separator.
std::string executableDirectory();

}  // namespace substitute_host
