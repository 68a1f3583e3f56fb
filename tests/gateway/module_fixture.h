#pragma once

// Tests that reach the block only as the host does: through the loaded module's gateway
// and the methods it installs. The module's controller state is process-wide, so CTest
// runs each test case in a process of its own.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/diagnostic_texts.h"
#include "tests/support/recording_host_block.h"

#include "loader/host_calls.h"
#include "loader/plugin_module.h"

namespace substitute_host {

using test_doubles::RecordingHostBlock;

// The module under test: the one the build names, or else the one next to this test
// program, where the Windows build puts both.
inline std::string moduleUnderTest() {
#ifdef CORVALENT2_MODULE_PATH
  return CORVALENT2_MODULE_PATH;
#else
  return pluginPathNextToExecutable();
#endif
}

class ModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(loadPluginModule(moduleUnderTest(), module, error)) << error;
  }
  void TearDown() override {
    letErrorCallsReturn(false);
    unloadPluginModule(module);
  }
  PluginModule module;
};

inline std::vector<double> sizesOf(const GatewayOutcome& outcome) {
  return outcome.results.empty() ? std::vector<double>{} : valuesOf(outcome.results[0].get());
}

// The vector a private query answers with: two outputs, nine inputs, one sample time,
// the version stamp, the options with bit 13 and the flags of a private record.
inline std::vector<double> expectedPrivateSizes() {
  std::vector<double> v(40, 0.0);
  v[2] = 2;
  v[3] = 9;
  v[6] = 1;
  v[19] = 8480229;
  v[23] = 537403394;
  v[31] = 524290;
  return v;
}

}  // namespace substitute_host
