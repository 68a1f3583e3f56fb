#pragma once

// The memory of one motor's control channel between output steps.
struct ChannelState {
  float modIndex[2];      // 0: latest modulation index, 1: its low-pass filtered value
  float speedIntegrator;
  float fwIntegrator;
  float idIntegrator;
  float iqIntegrator;
};
