#include "output/PlainFileLookup.h"

#include <filesystem>
#include <system_error>

namespace marn {

PlainFileLookup LookUpPlainFile(const QString& nativePath)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(nativePath.toStdString(), error);
    if (error && error != std::errc::no_such_file_or_directory)
        return {false, QString::fromStdString(error.message())};
    return {std::filesystem::is_regular_file(status), {}};
}

} // namespace marn
