#include "output/InfoMessage.h"
#include "output/PrintOnCurrentPrinter.h"
#include "output/PrinterChoice.h"
#include "output/PrinterListe.h"
#include "tests/output/FakePrinterService.h"
#include "tests/support/FakePlatform.h"

#include "core/SharedState.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>

namespace marn {
namespace {

QImage Picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(20, 90, 160));
    return image;
}

struct ChoiceCase {
    QStringList names;
    QString picked;
    std::optional<int> expected;
};

class FirstPrinterNamedTest : public testing::TestWithParam<ChoiceCase> {};

TEST_P(FirstPrinterNamedTest, TakesTheFirstExactMatch)
{
    EXPECT_EQ(FirstPrinterNamed(GetParam().names, GetParam().picked), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Names, FirstPrinterNamedTest,
    testing::Values(ChoiceCase{{"Laser", "Plotter", "Plotter"}, "Plotter", 1},
        ChoiceCase{{"laser", "Laser"}, "Laser", 1}, ChoiceCase{{"Laser "}, "Laser", std::nullopt},
        ChoiceCase{{}, "Laser", std::nullopt}));

class PrintOnCurrentPrinterTest : public testing::Test {
protected:
    SharedState state;
    test::FakePlatform platform;
};

TEST_F(PrintOnCurrentPrinterTest, WithoutAPrinterSaysSoAndPrintsNothing)
{
    test::FakePrinterService printers;
    PrintOnCurrentPrinter(printers, platform, state, Picture(10, 20));
    EXPECT_EQ(platform.messages, QStringList{"No printer is installed. The picture is not printed."});
    EXPECT_TRUE(printers.pages.empty());
    EXPECT_TRUE(state.ReadoutEnabled);
}

TEST_F(PrintOnCurrentPrinterTest, AFailingPrinterIsNamedWithTheReason)
{
    test::FakePrinterService printers({"Laser", "Plotter"}, 1);
    printers.failure = "The printer is stopped or off-line.";
    PrintOnCurrentPrinter(printers, platform, state, Picture(10, 20));
    EXPECT_EQ(
        platform.messages, QStringList{"Error printing on Plotter\r\nReason: The printer is stopped or off-line."});
    EXPECT_TRUE(state.ReadoutEnabled);
}

class PrinterListeTest : public testing::Test {
protected:
    void pick(int row)
    {
        window.Druckerliste->setCurrentRow(row);
        emit window.Druckerliste->itemClicked(window.Druckerliste->item(row));
    }

    SharedState state;
    test::FakePlatform platform{{1024, 768, 15.0}};
    test::FakePrinterService printers{{"Laser", "Plotter", "Plotter", "plotter"}};
    QImage snapshot = Picture(600, 800);
    PrinterListe window{state, platform, printers, [this] { return snapshot; }};
};

TEST_F(PrinterListeTest, ListsThePrintersInEnumerationOrderAfterClearing)
{
    window.ShowPrinters({"Old"});
    window.ShowPrinters(printers.printerNames());
    ASSERT_EQ(window.Druckerliste->count(), 4);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(window.Druckerliste->item(row)->text(), printers.printerNames()[row]);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Available printers");
    EXPECT_EQ(window.size(), QSize(613, 361));
    EXPECT_EQ(window.pos(), QPoint((1024 - 613) / 2, (768 - 361) / 2));
}

TEST_F(PrinterListeTest, AClickPrintsOnTheFirstPrinterOfThatNameAndHides)
{
    state.ReadoutEnabled = false;
    window.ShowPrinters(printers.printerNames());
    pick(2);
    ASSERT_EQ(printers.pages.size(), 1U);
    EXPECT_EQ(printers.pages[0].printer, 1);
    EXPECT_EQ(printers.pages[0].orientation, PageOrientation::Portrait);
    EXPECT_EQ(printers.pages[0].picture, snapshot);
    EXPECT_EQ(printers.currentPrinter(), 1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(state.ReadoutEnabled);

    window.ShowPrinters(printers.printerNames());
    pick(3);
    EXPECT_EQ(printers.pages.back().printer, 3);
}

TEST_F(PrinterListeTest, ClosingWithoutAChoicePrintsNothingAndSwitchesTheReadoutOn)
{
    state.ReadoutEnabled = false;
    window.ShowPrinters(printers.printerNames());
    window.close();
    EXPECT_TRUE(printers.pages.empty());
    EXPECT_TRUE(state.ReadoutEnabled);
}

TEST_F(PrinterListeTest, EnterPrintsOnTheChosenPrinterAndEscapeCloses)
{
    window.ShowPrinters(printers.printerNames());
    QTest::keyClick(window.Druckerliste, Qt::Key_Down);
    QTest::keyClick(window.Druckerliste, Qt::Key_Enter);
    ASSERT_EQ(printers.pages.size(), 1U);
    EXPECT_EQ(printers.pages[0].printer, 1);
    EXPECT_FALSE(window.isVisible());

    state.ReadoutEnabled = false;
    window.ShowPrinters(printers.printerNames());
    QTest::keyClick(window.Druckerliste, Qt::Key_Escape);
    EXPECT_EQ(printers.pages.size(), 1U);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(state.ReadoutEnabled);
}

TEST(InfoMessageTest, VersionBlankLineAndSixContactLines)
{
    const QStringList lines = InfoMessage().split("\r\n");
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[0], "Marn viewer V 2.0");
    EXPECT_EQ(lines[1], "");
    for (int i = 2; i < 8; ++i)
        EXPECT_FALSE(lines[i].isEmpty());
}

} // namespace
} // namespace marn
