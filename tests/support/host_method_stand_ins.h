#pragma once

// Host methods that stand in every method slot before the installing call, so that a
// test sees which slots the block fills and which keep what the host put there.

#include "block_record.h"

namespace host_stand_ins {

inline void hostBlockMethod(SimStruct*) {}
inline void hostOutputMethod(SimStruct*, int32_t) {}
inline void hostPortValueMethod(SimStruct*, int32_t, int32_t) {}
inline void hostSampleTimeMethod(SimStruct*, int32_t, double, double) {}
inline void hostPassMethod(SimStruct*, int32_t) {}

inline void fillWithHostMethods(MethodSlots& slots, ExtensionMethods& extension) {
  slots = MethodSlots{hostBlockMethod,      {hostPortValueMethod}, {hostPortValueMethod},
                      hostPortValueMethod,  hostPortValueMethod,   hostPortValueMethod,
                      hostPortValueMethod,  hostSampleTimeMethod,  hostSampleTimeMethod,
                      hostBlockMethod,      hostBlockMethod,       hostBlockMethod,
                      hostBlockMethod,      hostBlockMethod,       hostOutputMethod,
                      hostBlockMethod,      hostBlockMethod,       hostBlockMethod};
  extension = ExtensionMethods{hostPortValueMethod, hostBlockMethod, hostBlockMethod,
                               hostBlockMethod,     hostPassMethod,  nullptr};
}

}  // namespace host_stand_ins
