// The sample-to-pixel scales of a plot of a given size.
#pragma once

// Pixels per sample position: width x 0.004 in single precision, so 250 positions span the
// width. The constant is the single-precision value nearest to 0.004, slightly above it; the
// product is formed exactly and rounded once, when it is stored.
float PositionScale(int width);

// Pixels per level: height / 256, exact.
float LevelScale(int height);
