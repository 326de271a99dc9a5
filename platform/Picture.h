// Pictures the program draws for itself (the background, the product
// picture), drawn where the toolkit's raster engine draws them cheaply.
#pragma once

#include <QImage>
#include <QSize>

#include <functional>

namespace platform {

// An image of this size and format, drawn by `draw` on one of the
// toolkit's pooled threads while the caller waits. Called from any other
// thread, the raster engine hands the spans of every long stroke or fill to
// that pool in small pieces, which costs several times the drawing itself;
// on a pooled thread it fills them there, alone, to the same pixels. The
// image's memory is taken in huge pages where the kernel gives them.
QImage drawPicture(const QSize& size, QImage::Format format,
                   const std::function<void(QImage&)>& draw);

}  // namespace platform
