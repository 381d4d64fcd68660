// A point of the scene plane, as GL takes it from a vertex array of two floats.
#pragma once

namespace vorpane {

struct point2 {
    float x;
    float y;
};

static_assert(sizeof(point2) == 8, "trails and curves are vertex arrays of two floats");

} // namespace vorpane
