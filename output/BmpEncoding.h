#pragma once
// Windows bitmap files: 24 bits per pixel, uncompressed, rows bottom-up, each
// row padded to a multiple of four bytes. Every 8-bit red, green and blue value
// of the image is kept exactly.

#include <QByteArray>
#include <QImage>

namespace marn {

// The whole file for the image (alpha is dropped). An empty array for an
// image without pixels or one too large for the format.
QByteArray EncodeBmp24(const QImage& image);

} // namespace marn
