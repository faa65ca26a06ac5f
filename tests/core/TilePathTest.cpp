#include "core/TilePath.h"

#include <gtest/gtest.h>

namespace marn {
namespace {

TEST(DataPrefix, EndsInOneBackslash)
{
    struct Case {
        const char* drive;
        const char* prefix;
    };
    const Case cases[] = {
        {"D", R"(D:\)"},
        {"D:", R"(D:\)"},
        {R"(D:\data)", R"(D:\data\)"},
        {R"(D:\)", R"(D:\)"},
        {"/srv/terrain", R"(/srv/terrain\)"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.drive);
        EXPECT_EQ(DataPrefix(c.drive), c.prefix);
    }
}

TEST(LogicalTilePath, FillsTheTemplateFields)
{
    struct Case {
        const char* drive;
        TileName name;
        const char* path;
    };
    const Case cases[] = {
        {"D", {'E', 7, 'N', 47, TileKind::Kind3}, R"(D:\MARN\E007\E007N47.33E)"},
        {"D", {'E', 10, 'N', 55, TileKind::Kind6}, R"(D:\MARN\E010\E010N55.63E)"},
        {R"(D:\data)", {'W', 180, 'S', 8, TileKind::Kind3}, R"(D:\data\MARN\W180\W180S08.33E)"},
        {"C:", {'E', 0, 'N', 0, TileKind::Kind3}, R"(C:\MARN\E000\E000N00.33E)"},
        {"/srv/terrain", {'W', 7, 'S', 77, TileKind::Kind6}, R"(/srv/terrain\MARN\W007\W007S77.63E)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(LogicalTilePath(c.drive, c.name), c.path);
    }
}

TEST(LogicalTilePath, IsEmptyWithoutDataDrive)
{
    EXPECT_EQ(LogicalTilePath("", TileName{}), "");
}

} // namespace
} // namespace marn
