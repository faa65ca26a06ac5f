#include "input/DriveEntry.h"

#include <cctype>

namespace marn {

namespace {

bool IsLetter(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

} // namespace

bool IsDriveLetterValue(const std::string& text)
{
    if (text.size() == 1)
        return IsLetter(text[0]);
    return text.size() >= 3 && IsLetter(text[0]) && text[1] == ':' && text[2] == '\\';
}

DriveEntry ReadDriveEntry(const std::string& text, const std::string& home)
{
    if (text.empty())
        return {};
    if (IsDriveLetterValue(text))
        return {DriveEntryKind::Letter, text};
    if (text.front() == '/')
        return {DriveEntryKind::Folder, text};
    if (!home.empty() && (text == "~" || text.rfind("~/", 0) == 0)) {
        const std::string base = home.size() > 1 && home.back() == '/' ? home.substr(0, home.size() - 1) : home;
        return {DriveEntryKind::Folder, text == "~" ? base : base + text.substr(1)};
    }
    return {DriveEntryKind::Relative, text};
}

std::string RelativeDriveEntryMessage(const std::string& text)
{
    return "'" + text + "' is neither a drive letter nor a full folder path." + "\r\n"
           + "Type the folder from / (or ~/ for your home folder).";
}

} // namespace marn
