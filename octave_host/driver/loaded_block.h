#pragma once

// The block as Octave loaded it, installed into a host record that this driver owns:
// the installing call goes through Octave, which loads the module (or reuses the one it
// has loaded); sample times by host flag 101 and the start method follow, as the host
// sets a block up for a run. Flag calls go to the gateway of that very module, found
// from the methods it installed. The host's records stay inside: this header is also
// read next to Octave's own declarations of the host operations.

#include <memory>

#include "block_ports.h"
#include "drive_failure.h"

namespace octave_host {

// Makes the installing call with the three doubles of a record handle, through the
// host that loads the module. False, with the failure filled in, when it raised.
using InstallingCall = bool (*)(const double handle[3], void* context, DriveFailure& failure);

// Host arrays the flag calls pass: the flag values 101 and 104 as double scalars, and
// an array for the arguments the gateway does not read on that path. Created by the
// host whose module this is.
struct FlagArrays {
  const void* unread;
  const void* flagSampleTimes;
  const void* flagOutputs;
};

enum class StepVia { slot, flag };

class LoadedBlock {
 public:
  LoadedBlock();
  ~LoadedBlock();
  LoadedBlock(const LoadedBlock&) = delete;
  LoadedBlock& operator=(const LoadedBlock&) = delete;

  bool open(InstallingCall install, void* context, const FlagArrays& flags, DriveFailure& failure);

  // One output step: a row of the input signals in port order in, of the outputs out.
  void step(StepVia via, const float inputs[kInputSignalCount],
            float outputs[kOutputSignalCount]);

  // The same step in the form of the simulator's loop (ports as separate arrays).
  static void stepThroughSlot(void* self, const float* const inputs[kInputPortCount],
                              float* const outputs[kOutputPortCount]);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace octave_host
