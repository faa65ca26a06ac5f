#include "output/BmpEncoding.h"

#include <cstdint>
#include <limits>

namespace marn {

namespace {

constexpr int FileHeaderBytes = 14;
constexpr int InfoHeaderBytes = 40;
constexpr std::uint32_t PixelsPerMetre = 3780; // 96 dots per inch

void PutU16(QByteArray& bytes, std::uint16_t value)
{
    bytes.append(static_cast<char>(value & 0xFF));
    bytes.append(static_cast<char>(value >> 8));
}

void PutU32(QByteArray& bytes, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.append(static_cast<char>((value >> shift) & 0xFF));
}

} // namespace

QByteArray EncodeBmp24(const QImage& image)
{
    if (image.isNull())
        return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(rgb.width()) * 3 + 3) / 4 * 4;
    const std::uint64_t pixelBytes = rowBytes * static_cast<std::uint64_t>(rgb.height());
    const std::uint64_t fileBytes = FileHeaderBytes + InfoHeaderBytes + pixelBytes;
    if (fileBytes > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
        return {};

    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(fileBytes));
    bytes.append("BM", 2);
    PutU32(bytes, static_cast<std::uint32_t>(fileBytes));
    PutU32(bytes, 0); // two reserved words
    PutU32(bytes, FileHeaderBytes + InfoHeaderBytes);

    PutU32(bytes, InfoHeaderBytes);
    PutU32(bytes, static_cast<std::uint32_t>(rgb.width()));
    PutU32(bytes, static_cast<std::uint32_t>(rgb.height())); // positive: bottom row first
    PutU16(bytes, 1);                                        // planes
    PutU16(bytes, 24);                                       // bits per pixel
    PutU32(bytes, 0);                                        // uncompressed
    PutU32(bytes, static_cast<std::uint32_t>(pixelBytes));
    PutU32(bytes, PixelsPerMetre);
    PutU32(bytes, PixelsPerMetre);
    PutU32(bytes, 0); // no palette
    PutU32(bytes, 0);

    const int padding = static_cast<int>(rowBytes - static_cast<std::uint64_t>(rgb.width()) * 3);
    for (int y = rgb.height() - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            bytes.append(static_cast<char>(qBlue(row[x])));
            bytes.append(static_cast<char>(qGreen(row[x])));
            bytes.append(static_cast<char>(qRed(row[x])));
        }
        bytes.append(padding, '\0');
    }
    return bytes;
}

} // namespace marn
