#pragma once

// A block set up in a host record for a run, as a host does it, whatever host reaches
// the module's gateway: the installing call that names the record by handle, a check
// that the block declared the port map's ports, sample times by host flag 101, and the
// start method. Steps then go through the output slot or through host flag 104. The
// substitute host reaches the gateway itself; GNU Octave's driver goes through Octave.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "block_step.h"
#include "record_handle.h"
#include "records/host_block.h"

namespace substitute_host {

// The three doubles that name a record: the low and high halves of its address, then
// the version stamp.
std::array<double, kRecordHandleRows> recordHandle(const SimStruct* record,
                                                   double stamp = kVersionStamp);

// How a host reaches the module's gateway. install makes the installing call with the
// record's handle and answers false, with a message, when the call raised an error;
// sendFlag makes a host flag call on the record.
struct GatewayAccess {
  bool (*install)(void* context, const std::array<double, kRecordHandleRows>& handle,
                  std::string& error);
  void (*sendFlag)(void* context, SimStruct* record, int32_t flag);
  void* context;
};

enum class StepVia { slot, flag };

class PreparedBlock {
 public:
  // False with a message when the install raised, the block did not declare the ports
  // of the port map, or it reported an error at start.
  bool open(const GatewayAccess& access, std::string& error);

  HostBlock& block() { return *block_; }

  // One output step on the loop's port buffers, which become the record's: the port
  // records point at them, so the block reads and writes them in place.
  void step(StepVia via, const float* const inputs[kInputPortCount],
            float* const outputs[kOutputPortCount]);

 private:
  bool declaredThePortMap() const;

  GatewayAccess access_{};
  std::unique_ptr<HostBlock> block_;
};

}  // namespace substitute_host
