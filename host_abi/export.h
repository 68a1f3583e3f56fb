#pragma once

// How a symbol crosses between the plug-in and the host process: the plug-in exports
// its two entry points and imports the host's operations; everything else stays inside.
#if defined(_WIN32)
#define PLUGIN_EXPORT __declspec(dllexport)
#if defined(SUBSTITUTE_HOST_BUILDING_RUNTIME)
#define HOST_IMPORT __declspec(dllexport)
#else
#define HOST_IMPORT __declspec(dllimport)
#endif
#else
#define PLUGIN_EXPORT __attribute__((visibility("default")))
#define HOST_IMPORT __attribute__((visibility("default")))
#endif
