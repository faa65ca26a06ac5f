#include "output/BmpEncoding.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QRandomGenerator>

#include <cstdint>

namespace marn {
namespace {

std::uint32_t U32At(const QByteArray& bytes, int offset)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[offset + i]);
    return value;
}

QImage NoiseImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(static_cast<quint32>(width * 7919 + height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, 0xFF000000U | random.bounded(0x1000000U));
    return image;
}

class BmpEncodingByWidth : public testing::TestWithParam<int> {};

TEST_P(BmpEncodingByWidth, KeepsEveryPixelExactly)
{
    const QImage source = NoiseImage(GetParam(), 7);
    const QImage decoded = QImage::fromData(EncodeBmp24(source), "BMP").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(decoded.size(), source.size());
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            ASSERT_EQ(decoded.pixel(x, y), source.pixel(x, y)) << "pixel " << x << "," << y;
}

TEST_P(BmpEncodingByWidth, WritesUncompressed24BitRowsBottomUpPaddedToFourBytes)
{
    const int width = GetParam();
    const int height = 3;
    QImage source(width, height, QImage::Format_RGB32);
    source.fill(qRgb(1, 2, 3));
    source.setPixel(0, height - 1, qRgb(10, 20, 30)); // bottom-left pixel comes first in the file
    const QByteArray bytes = EncodeBmp24(source);

    const int rowBytes = (width * 3 + 3) / 4 * 4;
    ASSERT_EQ(bytes.size(), 54 + rowBytes * height);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(U32At(bytes, 2), static_cast<std::uint32_t>(bytes.size()));
    EXPECT_EQ(U32At(bytes, 10), 54U);
    EXPECT_EQ(U32At(bytes, 18), static_cast<std::uint32_t>(width));
    EXPECT_EQ(U32At(bytes, 22), static_cast<std::uint32_t>(height));
    EXPECT_EQ(U32At(bytes, 28) & 0xFFFFU, 24U);
    EXPECT_EQ(U32At(bytes, 30), 0U);
    EXPECT_EQ(bytes.mid(54, 3), QByteArray("\x1e\x14\x0a", 3));
    for (int pad = width * 3; pad < rowBytes; ++pad)
        EXPECT_EQ(bytes[54 + pad], '\0');
}

INSTANTIATE_TEST_SUITE_P(RowPaddings, BmpEncodingByWidth, testing::Values(1, 2, 3, 4, 5, 641));

TEST(BmpEncoding, ConvertsOtherFormatsAndRefusesAnEmptyImage)
{
    QImage translucent(2, 1, QImage::Format_ARGB32);
    translucent.fill(qRgba(200, 100, 50, 255));
    EXPECT_EQ(QImage::fromData(EncodeBmp24(translucent), "BMP").pixel(1, 0), qRgb(200, 100, 50));
    EXPECT_TRUE(EncodeBmp24(QImage()).isEmpty());
}

} // namespace
} // namespace marn
