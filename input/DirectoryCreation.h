#pragma once
// Creating a new picture directory below the chosen one: the path it gets, the
// creation itself (one level) and the messages that report the outcome.

#include <string>

namespace marn {

// The chosen directory and the new name joined with the separator; a backslash
// inside the name separates levels too.
std::string JoinDirectory(const std::string& parent, const std::string& name);

// Creates one directory level. Empty when it worked, otherwise the system's
// description of the failure.
std::string CreateOneDirectory(const std::string& path);

std::string DirectoryCreatedMessage(const std::string& path);
std::string DirectoryFailedMessage(const std::string& path, const std::string& reason);

} // namespace marn
