// Sizes the window system fixes.
#pragma once

constexpr int SM_CXICON = 11;
constexpr int SM_CYICON = 12;

// The size of a large icon is 32 x 32 pixels.
constexpr int GetSystemMetrics(int index) { return index == SM_CXICON || index == SM_CYICON ? 32 : 0; }
