#pragma once

// The block's methods as one table, by the role each plays for the host. The gateway
// installs them into a host record's slots from here, and the flag dispatcher calls
// the ones it runs directly from here, so both reach the same methods.

#include "block_methods.h"

struct BlockMethodTable {
  BlockMethod declareSizes;
  BlockMethod declareSampleTimes;
  PortDimensionInfoMethod setInputPortDimensionInfo;
  PortDimensionInfoMethod setOutputPortDimensionInfo;
  PortValueMethod setInputPortDataType;
  PortValueMethod setOutputPortDataType;
  BlockMethod setDefaultPortDataTypes;
  BlockMethod start;
  OutputMethod computeOutputs;
  BlockMethod rejectNextVarHit;
  BlockMethod rejectZeroCrossings;
  BlockMethod afterZeroCrossings;
  // The port-count setters a record built by the plug-in itself receives.
  PortCountSetter registerInputPortCount;
  PortCountSetter registerOutputPortCount;
};

inline constexpr BlockMethodTable kBlockMethodTable = {
    mdlDeclareSizes,
    mdlDeclareSampleTimes,
    mdlSetInputPortDimensionInfo,
    mdlSetOutputPortDimensionInfo,
    mdlSetInputPortDataType,
    mdlSetOutputPortDataType,
    mdlSetDefaultPortDataTypes,
    mdlStart,
    mdlComputeOutputs,
    mdlRejectNextVarHit,
    mdlRejectZeroCrossings,
    mdlDoNothing,
    registerInputPortCount,
    registerOutputPortCount,
};
