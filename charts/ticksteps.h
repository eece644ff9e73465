#pragma once

// The distance between axis ticks: 1, 2 or 5 times a power of ten, the
// nearest at or above `step`.
double RoundStep(double step);
