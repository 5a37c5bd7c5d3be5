#pragma once
// The program's own pictures, drawn from the SVG sources in art/ (built in as Qt resources).

#include <QIcon>
#include <QPixmap>
#include <QSize>

#include "app/layout_types.h"

namespace morvessa {

// The picture stretched to size (device-independent pixels, drawn at the given pixel ratio); cached.
// A null pixmap for Artwork::none. GUI thread only.
QPixmap artwork_pixmap(Artwork artwork, QSize size, qreal pixel_ratio = 1.0);
QPixmap window_background(QSize size, qreal pixel_ratio = 1.0);
QIcon window_icon();

}  // namespace morvessa
