// Exploration: random re-configuration through the host's commands, the
// search for a busy region to zoom into, and automatic exploration.
#pragma once

#include <cstdint>

namespace quintorbelle {

// Random re-configuration (randomise.cpp) and zoom points (zoom_points.cpp).
void RandomiseFunctionSystem(int32_t commandId);
void RandomiseModeParameters(int32_t commandId);
int32_t PickZoomPoint();
int32_t PickZoomPointByCount();

// Automatic exploration (auto_explore.cpp).
void ExploreWhileDrawing(int32_t progress);
int32_t ExploreAfterDrawing(int32_t goOn);

} // namespace quintorbelle
