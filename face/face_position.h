// The pixel position of a fraction of a dimension: the IEEE-754 double product,
// truncated toward zero. It is computed with integers alone, so that it is the same
// on every processor and whatever precision a host has left the x87 unit in.
#pragma once

// trunc(double(dimension) * fraction), for a fraction whose magnitude is below 1, as
// every fraction of the face and of the automatic width is; any other fraction gives 0.
int facePosition(int dimension, double fraction);
