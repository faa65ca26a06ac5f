#include "core/NativePath.h"

#include <gtest/gtest.h>

namespace marn {
namespace {

struct PathCase {
    const char* logical;
    const char* programDir;
    const char* native;
};

#ifndef _WIN32

TEST(NativePath, MapsLogicalPathsOntoPosixPaths)
{
    const PathCase cases[] = {
        {R"(D:\MARN\E007\E007N47.33E)", "/opt/marn", "/mnt/d/MARN/E007/E007N47.33E"},
        {R"(d:\MARN\E007\E007N47.33E)", "/opt/marn", "/mnt/d/MARN/E007/E007N47.33E"},
        {R"(D:\Pictures\Europe.bmp)", "/opt/marn", "/mnt/d/Pictures/Europe.bmp"},
        {R"(C:\data\MARN\W180\W180S08.63E)", "", "/mnt/c/data/MARN/W180/W180S08.63E"},
        {R"(\Europe.bmp)", "/opt/marn", "/Europe.bmp"},
        {R"(/srv/terrain\MARN\E007\E007N47.33E)", "/opt/marn", "/srv/terrain/MARN/E007/E007N47.33E"},
        {R"(/srv/terrain/\MARN\E007)", "/opt/marn", "/srv/terrain/MARN/E007"},
        {R"(data\MARN\E007)", "/opt/marn", "/opt/marn/data/MARN/E007"},
        {R"(data\MARN\E007)", "/opt/marn/", "/opt/marn/data/MARN/E007"},
        {R"(data\MARN\E007)", "/", "/data/MARN/E007"},
        {R"(data\MARN\E007)", "", "data/MARN/E007"},
        {"Drive.dat", "/opt/marn", "/opt/marn/Drive.dat"},
        {"D:", "/opt/marn", "/mnt/d/"},
        {"", "/opt/marn", "/opt/marn/"},
    };
    for (const PathCase& c : cases) {
        SCOPED_TRACE(c.logical);
        EXPECT_EQ(NativePath(c.logical, c.programDir), c.native);
    }
}

#else

TEST(NativePath, LeavesPathsUnchangedOnWindows)
{
    EXPECT_EQ(NativePath(R"(D:\MARN\E007\E007N47.33E)", R"(C:\marn)"), R"(D:\MARN\E007\E007N47.33E)");
}

#endif

} // namespace
} // namespace marn
