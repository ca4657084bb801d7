// Scaling a picture to another size with good filtering: each pixel of a
// smaller picture is the average of the area it covers; a larger picture is
// interpolated linearly between the nearest pixels.
#pragma once

#include "art/pixels.h"

// The picture at width x height (both at least 1); itself when the size is its own.
Pixels resample(const Pixels& source, int width, int height);
