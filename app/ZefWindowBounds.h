// Fitting the window bounds read from the settings file to the screen they will be shown on.
#pragma once

#include <QRect>

#include <optional>

// Stored bounds (any integers, as the file holds them) made to fit `available`, the usable area of the
// screen: nullopt when they do not meet that area at all or the area is unknown (the built-in size and
// place stay); otherwise no wider or taller than the area and moved inside it.
std::optional<QRect> ZefFitWindowBounds(int left, int top, int width, int height, const QRect& available);
