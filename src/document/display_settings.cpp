#include "document/display_settings.h"

namespace tarnix {

float DisplaySettings::ReferenceOffsetFor() const {
  static const float offsets[4] = {0.0f, 0.3f, 0.5f, 0.4f};
  const float d = depthReference >= 0 && depthReference < 4 ? offsets[depthReference] : 0.0f;
  return transmitterMode != 0 ? -d : d;
}

}  // namespace tarnix
