// The file-name window and the printer list by keyboard alone: Enter does what
// "Ok" (or the focused button) does and prints on the chosen printer, Escape
// cancels and closes. Either way the window goes and the readout comes back.

#include "output/PrinterListe.h"
#include "output/frmFilename.h"
#include "tests/output/FakePrinterService.h"
#include "tests/output/OutputTestFiles.h"
#include "tests/support/FakePlatform.h"

#include "core/SharedState.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

namespace marn {
namespace {

enum class Target { NameField, OkButton, CancelButton, PrinterList };

struct KeyCase {
    const char* name;
    Target target;
    std::vector<Qt::Key> keys;
    bool saved;
    int printedOn; // -1: nothing printed
};

void PrintTo(const KeyCase& c, std::ostream* os)
{
    *os << c.name;
}

class OutputWindowKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(OutputWindowKeys, SaveCancelPrintAndClose)
{
    const KeyCase& c = GetParam();
    QTemporaryDir dir;
    SharedState state;
    state.PictureDir = dir.path().toStdString();
    state.ReadoutEnabled = false;
    test::FakePlatform platform{{1024, 768, 15.0}};
    test::FakePrinterService printers{{"Laser", "Plotter"}};
    QImage snapshot(8, 6, QImage::Format_RGB32);
    snapshot.fill(Qt::darkGreen);
    frmFilename filename(state, platform, [&] { return snapshot; });
    PrinterListe printerList(state, platform, printers, [&] { return snapshot; });

    QWidget* target = filename.Text1;
    if (c.target == Target::PrinterList) {
        printerList.ShowPrinters(printers.printerNames());
        target = printerList.Druckerliste;
    } else {
        filename.show();
        filename.Text1->setText("Europe");
        target = c.target == Target::OkButton       ? filename.Command1
                 : c.target == Target::CancelButton ? static_cast<QWidget*>(filename.Command2)
                                                    : filename.Text1;
    }
    for (const Qt::Key key : c.keys)
        QTest::keyClick(target, key);

    EXPECT_EQ(QFile::exists(dir.filePath("Europe.bmp")), c.saved);
    EXPECT_EQ(printers.pages.empty() ? -1 : printers.pages.front().printer, c.printedOn);
    EXPECT_FALSE(filename.isVisible() || printerList.isVisible());
    EXPECT_TRUE(state.ReadoutEnabled);
}

INSTANTIATE_TEST_SUITE_P(Keys, OutputWindowKeys,
    testing::Values(KeyCase{"EnterInTheName", Target::NameField, {Qt::Key_Return}, true, -1},
        KeyCase{"KeypadEnterOnOk", Target::OkButton, {Qt::Key_Enter}, true, -1},
        KeyCase{"EnterOnCancel", Target::CancelButton, {Qt::Key_Return}, false, -1},
        KeyCase{"EscapeInTheName", Target::NameField, {Qt::Key_Escape}, false, -1},
        KeyCase{"EnterOnTheFirstPrinter", Target::PrinterList, {Qt::Key_Return}, false, 0},
        KeyCase{"DownThenKeypadEnter", Target::PrinterList, {Qt::Key_Down, Qt::Key_Enter}, false, 1},
        KeyCase{"EscapeInThePrinterList", Target::PrinterList, {Qt::Key_Escape}, false, -1}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace marn
