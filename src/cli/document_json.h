#pragma once
// The completed model of a document as JSON: header (with the curve block),
// all ten sections with their points and per-point arrays, the layers, and the
// two-receiver Vp of the current pair. Field names are the model's own.
#include <nlohmann/json.hpp>

#include "document/tarnix_doc.h"

namespace tarnix::cli {

using Json = nlohmann::ordered_json;

// The layer block under the model's own field names.
Json LayersJson(const LayerSet& layers);

// withSamples adds rawSamples and samples to every point.
Json DocumentJson(CTarnixDoc& doc, bool withSamples);

}  // namespace tarnix::cli
