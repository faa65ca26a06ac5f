// The rules of picture output on plain data: page orientation and fit, the
// bitmap's bytes, the bitmap's path, the printer chosen by name, the messages.

#include "output/BitmapTarget.h"
#include "output/BmpEncoding.h"
#include "output/InfoMessage.h"
#include "output/PrintFit.h"
#include "output/PrinterChoice.h"

#include <gtest/gtest.h>

#include <QImage>

namespace marn {
namespace {

TEST(PrintFit, TheOrientationFollowsTheShapeAndThePictureFillsOneSide)
{
    const HiMetricSize landscape{27700, 19000}, portrait{19000, 27700};
    const struct {
        double width, height;
        PageOrientation orientation;
        HiMetricSize printable, expected;
    } cases[] = {{1600, 1000, PageOrientation::Landscape, landscape, {27700, 17312.5}},
        {1000, 800, PageOrientation::Landscape, landscape, {23750, 19000}},
        {801, 800, PageOrientation::Landscape, landscape, {19000 * 801 / 800.0, 19000}},
        {800, 800, PageOrientation::Portrait, portrait, {19000, 19000}},
        {600, 800, PageOrientation::Portrait, portrait, {19000, 25333.333}},
        {400, 800, PageOrientation::Portrait, portrait, {13850, 27700}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        EXPECT_EQ(OrientationFor(c.width, c.height), c.orientation);
        const HiMetricSize fit = FitToPrintable(c.width, c.height, c.printable);
        EXPECT_NEAR(fit.width, c.expected.width, 0.01);
        EXPECT_NEAR(fit.height, c.expected.height, 0.01);
    }
    EXPECT_EQ(FitToPrintable(1, 1, {0.1, 100000.0}).width, static_cast<double>(0.1F)) << "single precision";
}

// Uncompressed 24-bit rows after a 54-byte header, bottom-up, padded to four
// bytes; read back pixel for pixel.
TEST(BmpEncoding, WritesEveryPixelInPaddedRowsBottomUp)
{
    for (const int width : {1, 2, 3, 4, 5, 641}) {
        SCOPED_TRACE(width);
        QImage source(width, 3, QImage::Format_ARGB32);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x)
                source.setPixel(x, y, qRgba(x * 7 % 256, y * 50, (x * 13 + y) % 256, 255));
        source.setPixel(0, 2, qRgb(10, 20, 30)); // the bottom-left pixel comes first
        const QByteArray bytes = EncodeBmp24(source);
        const int rowBytes = (width * 3 + 3) / 4 * 4;
        ASSERT_EQ(bytes.size(), 54 + rowBytes * 3);
        EXPECT_EQ(bytes.left(2), "BM");
        EXPECT_EQ(bytes.mid(28, 6), QByteArray("\x18\0\0\0\0\0", 6)) << "24 bits, uncompressed";
        EXPECT_EQ(bytes.mid(54, 3), QByteArray("\x1e\x14\x0a", 3));
        EXPECT_EQ(QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32),
            source.convertToFormat(QImage::Format_RGB32));
    }
    EXPECT_TRUE(EncodeBmp24(QImage()).isEmpty());
}

// A Windows-style directory is joined with "\", a native one with "/" only.
TEST(BitmapTarget, JoinsDirectoryNameAndExtension)
{
    for (const auto& [dir, name, expected] : {std::tuple{"D:\\Pictures", "Europe", "D:\\Pictures\\Europe.bmp"},
             {"D:\\Pictures", "Europe.bmp", "D:\\Pictures\\Europe.bmp.bmp"}, {"", "Europe", "\\Europe.bmp"},
             {"D:\\Pictures\\", " Europe ", "D:\\Pictures\\\\ Europe .bmp"},
             {"/srv/pictures", "Europe", "/srv/pictures/Europe.bmp"},
             {"/srv\\pictures\\", "Europe", "/srv/pictures/Europe.bmp"}, {"/", "Europe", "/Europe.bmp"}})
        EXPECT_EQ(BitmapTargetPath(dir, name), expected) << dir;
    EXPECT_EQ(SaveErrorMessage("D:\\x.bmp", "Disk full", true),
        "Error saving D:\\x.bmp\r\nReason: Disk full\r\nThe existing file is unchanged.");
}

TEST(PrinterChoice, TakesTheFirstExactMatch)
{
    EXPECT_EQ(FirstPrinterNamed({"Laser", "Plotter", "Plotter"}, "Plotter"), 1);
    EXPECT_EQ(FirstPrinterNamed({"laser", "Laser"}, "Laser"), 1);
    EXPECT_EQ(FirstPrinterNamed({"Laser "}, "Laser"), std::nullopt);
    EXPECT_EQ(InfoMessage().split("\r\n").mid(0, 2), QStringList({"Marn viewer V 2.0", ""}));
}

} // namespace
} // namespace marn
