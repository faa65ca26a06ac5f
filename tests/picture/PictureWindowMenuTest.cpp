// The picture window's menu bar and the ways the program ends: the Exit button,
// menu and frame, and loads that stop with a message (nothing to show, a tile
// read error) without ever showing the picture.

#include "tests/picture/PictureWindowFixture.h"

#include "picture/Fortschritt.h"
#include "picture/PictureCommands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <functional>

namespace marn {
namespace {

class RecordingCommands : public PictureCommands {
public:
    void MenPictSave_Click(frmPicture& picture) override { record("save", picture); }
    void menPictPrint_Click(frmPicture& picture) override { record("print", picture); }
    void menInfo_Click() override { calls << "info"; }
    void record(const char* call, frmPicture& picture) { calls << call, windows << &picture; }
    QStringList calls;
    QList<frmPicture*> windows;
};

QStringList Texts(const QList<QAction*>& actions)
{
    QStringList texts;
    for (const QAction* action : actions)
        texts << action->text();
    return texts;
}

TEST(PictureWindowMenu, EntriesCallTheOutputCommandsWithTheWindow)
{
    test::PictureWindowFixture f({640, 480, 15.0});
    EXPECT_EQ(Texts(f.window->menuBar()->actions()), (QStringList{"Exit", "Picture", "Info", "View"}));
    EXPECT_EQ(Texts(f.window->menView->actions()), (QStringList{"Back", "New area\u2026", "", "Relief shading"}));
    EXPECT_EQ(Texts(f.window->menPicture->actions()), (QStringList{"Save as", "Print"}));
    EXPECT_EQ(f.window->windowTitle(), "Height picture");
    RecordingCommands commands;
    f.window->MenPictSave->trigger(); // no commands set yet: nothing happens
    f.window->setCommands(&commands);
    f.window->MenPictSave->trigger();
    f.window->menPictPrint->trigger();
    f.window->menInfo->trigger();
    EXPECT_EQ(commands.calls, (QStringList{"save", "print", "info"}));
    EXPECT_EQ(commands.windows, (QList<frmPicture*>{f.window.get(), f.window.get()}));
    EXPECT_FALSE(f.platform.programEnded);
}

TEST(PictureWindowEnd, ExitButtonMenuAndFrameEndTheProgram)
{
    const std::pair<const char*, std::function<void(frmPicture&)>> ways[] = {
        {"Exit button", [](frmPicture& w) { w.Command1->click(); }},
        {"Exit menu", [](frmPicture& w) { w.menExit->trigger(); }}, {"frame", [](frmPicture& w) { w.close(); }}};
    for (const auto& [name, act] : ways) {
        test::PictureWindowFixture f({640, 480, 15.0});
        EXPECT_EQ(f.window->Command1->text(), "Exit");
        act(*f.window);
        EXPECT_TRUE(f.platform.programEnded) << name;
        EXPECT_TRUE(f.platform.messages.isEmpty()) << name;
    }
}

TEST(PictureWindowEnd, LoadsWithNothingToShowOrAReadErrorStopWithTheirMessage)
{
    const std::pair<std::function<void(const std::string& root)>, const char*> stops[] = {
        {[](const std::string&) {},
            "All heights are missing.\r\nPicture is not necessary.\r\nNo MARN directory in {data}."},
        {[](const std::string& root) { test::WriteFlatTile(root, 47, 7, NoData); },
            "All heights are missing.\r\nPicture is not necessary."},
        {[](const std::string& root) { test::WriteFlatTile(root, 47, 7, 0); },
            "All heights are 0 m.\r\nPicture is not necessary."},
        {[](const std::string& root) { test::WriteFileOfLength(test::TilePath(root, 47, 7), 1000); },
            "Error reading heigt data, Error value = 700"}};
    for (const auto& [writeTiles, text] : stops) {
        test::PictureWindowFixture f({640, 480, 15.0});
        writeTiles(f.dir.path());
        EXPECT_FALSE(f.window->ShowPicture());
        const QString message = QString(text).replace("{data}", QString::fromStdString(f.dir.path()));
        EXPECT_EQ(f.platform.messages, QStringList{message});
        EXPECT_TRUE(f.platform.programEnded) << text;
        EXPECT_FALSE(f.window->isVisible() || f.state.PictureReady || f.state.ReadoutEnabled) << text;
    }
}

TEST(PictureWindowEnd, AReadErrorEndsTheProgramWhileTheProgressWindowIsUp)
{
    test::PictureWindowFixture f({640, 480, 15.0});
    test::WriteFileOfLength(test::TilePath(f.dir.path(), 47, 7), 1000);
    f.window->Form_Load();
    Fortschritt& progress = f.window->progressWindow();
    EXPECT_TRUE(progress.isVisible());
    EXPECT_EQ(progress.windowTitle(), "Read MARN data progress");
    EXPECT_EQ(QRect(progress.pos(), progress.size()), QRect(96, 168, 448, 144)); // 0.15, 0.35, 0.7 and 0.3 of 640 x 480
    QStringList captions;
    for (QLabel* mark : progress.LabP)
        captions << (mark->isVisibleTo(&progress) ? mark->text() : QStringLiteral("hidden"));
    EXPECT_EQ(captions, (QStringList{"0", "10", "20", "30", "40", "50", "60", "70", "80", "90", "100%"}));
    EXPECT_TRUE(f.window->Label4->isHidden());
}

} // namespace
} // namespace marn
