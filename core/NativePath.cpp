#include "core/NativePath.h"

#include <cctype>

namespace marn {

namespace {

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

// Backslashes become '/', and a run of separators becomes one.
std::string WithSlashes(const std::string& path)
{
    std::string out;
    out.reserve(path.size());
    for (const char c : path) {
        if (IsSeparator(c) && !out.empty() && out.back() == '/')
            continue;
        out.push_back(IsSeparator(c) ? '/' : c);
    }
    return out;
}

bool StartsWithDriveLetter(const std::string& path)
{
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) != 0 && path[1] == ':';
}

// dir + "/" + rest with exactly one separator between them.
std::string JoinUnder(std::string dir, const std::string& rest)
{
    if (dir.empty() || dir.back() != '/')
        dir.push_back('/');
    const std::size_t start = !rest.empty() && rest.front() == '/' ? 1 : 0;
    return dir + rest.substr(start);
}

} // namespace

#ifdef _WIN32

std::string NativePath(const std::string& logicalPath, const std::string&)
{
    return logicalPath;
}

#else

std::string NativePath(const std::string& logicalPath, const std::string& programDir)
{
    if (StartsWithDriveLetter(logicalPath)) {
        const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(logicalPath[0])));
        return JoinUnder(std::string("/mnt/") + letter, WithSlashes(logicalPath.substr(2)));
    }
    const std::string path = WithSlashes(logicalPath);
    if (!path.empty() && path.front() == '/')
        return path;
    if (programDir.empty())
        return path;
    return JoinUnder(WithSlashes(programDir), path);
}

#endif

bool IsNativePath(const std::string& path)
{
    return !path.empty() && path.front() == '/';
}

} // namespace marn
