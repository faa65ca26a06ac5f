// The picture window's menu bar, Exit button and frame: the entries in their
// order, the output commands they call, and the ways that end the program.

#include "tests/picture/PictureWindowFixture.h"

#include "picture/PictureCommands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <functional>

namespace marn {
namespace {

class RecordingCommands : public PictureCommands {
public:
    void MenPictSave_Click(frmPicture& picture) override { record(QStringLiteral("save"), &picture); }
    void menPictPrint_Click(frmPicture& picture) override { record(QStringLiteral("print"), &picture); }
    void menInfo_Click() override { calls << QStringLiteral("info"); }

    void record(const QString& call, frmPicture* picture)
    {
        calls << call;
        windows << picture;
    }

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

TEST(PictureWindowMenu, HasExitPictureInfoAndViewWithTheirEntries)
{
    test::PictureWindowFixture f({640, 480, 15.0});
    EXPECT_EQ(Texts(f.window->menuBar()->actions()), (QStringList{"Exit", "Picture", "Info", "View"}));
    EXPECT_EQ(Texts(f.window->menView->actions()), (QStringList{"Back", "New area\u2026", "", "Relief shading"}));
    EXPECT_EQ(Texts(f.window->menPicture->actions()), (QStringList{"Save as", "Print"}));
    EXPECT_EQ(f.window->windowTitle(), "Height picture");
    EXPECT_EQ(f.window->Command1->text(), "Exit");
}

TEST(PictureWindowMenu, SaveAsPrintAndInfoCallTheOutputCommandsWithTheWindow)
{
    test::PictureWindowFixture f({640, 480, 15.0});
    RecordingCommands commands;
    f.window->MenPictSave->trigger();
    EXPECT_TRUE(commands.calls.isEmpty());

    f.window->setCommands(&commands);
    f.window->MenPictSave->trigger();
    f.window->menPictPrint->trigger();
    f.window->menInfo->trigger();
    EXPECT_EQ(commands.calls, (QStringList{"save", "print", "info"}));
    EXPECT_EQ(commands.windows, (QList<frmPicture*>{f.window.get(), f.window.get()}));
    EXPECT_FALSE(f.platform.programEnded);
}

struct EndCase {
    const char* name;
    std::function<void(frmPicture&)> act;
};

void PrintTo(const EndCase& c, std::ostream* os)
{
    *os << c.name;
}

class PictureWindowEnd : public ::testing::TestWithParam<EndCase> {};

TEST_P(PictureWindowEnd, EndsTheProgram)
{
    test::PictureWindowFixture f({640, 480, 15.0});
    GetParam().act(*f.window);
    EXPECT_TRUE(f.platform.programEnded);
    EXPECT_TRUE(f.platform.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Ways, PictureWindowEnd,
    ::testing::Values(EndCase{"ExitButton", [](frmPicture& w) { w.Command1->click(); }},
        EndCase{"ExitMenu", [](frmPicture& w) { w.menExit->trigger(); }},
        EndCase{"WindowFrame", [](frmPicture& w) { w.close(); }}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace marn
