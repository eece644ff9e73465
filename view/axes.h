// SPDX-License-Identifier: MIT
#pragma once

#include "view/viewstate.h"

#include <QImage>

// The x, y and z axes of the model as a small lettered triad in the lower-left
// corner of the picture, turned by ViewMatrix as it stands; `ratio` times as
// large in a picture of a high-density screen's pixels.
void DrawAxes(QImage& picture, const ViewState& view, qreal ratio = 1);
