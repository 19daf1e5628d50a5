// libFuzzer target: see entries.h.
#include "entries.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tarnix::fuzz::PickWaveformInput(data, size);
  return 0;
}
