#include "app/CommandLine.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace marn::cli {

std::optional<std::string> ParsedArgs::option(const std::string& name) const
{
    const auto it = options.find(name);
    if (it == options.end())
        return std::nullopt;
    return it->second;
}

ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
    const std::set<std::string>& switchOptions)
{
    ParsedArgs parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
            if (arg == "--")
                optionsEnded = true;
            else
                parsed.positional.push_back(arg);
            continue;
        }
        const std::size_t eq = arg.find('=');
        const std::string name = arg.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
        if (switchOptions.count(name) != 0) {
            parsed.switches[name] = eq == std::string::npos ? "" : arg.substr(eq + 1);
            continue;
        }
        if (valueOptions.count(name) == 0) {
            parsed.error = "unknown option --" + name;
            return parsed;
        }
        if (eq != std::string::npos) {
            parsed.options[name] = arg.substr(eq + 1);
            continue;
        }
        if (i + 1 >= args.size()) {
            parsed.error = "option --" + name + " needs a value";
            return parsed;
        }
        parsed.options[name] = args[++i];
    }
    return parsed;
}

std::optional<double> ParseNumber(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::vector<double>> ParseNumbers(const std::string& text, char separator)
{
    std::vector<double> numbers;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        const auto number = ParseNumber(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (!number)
            return std::nullopt;
        numbers.push_back(*number);
        if (end == std::string::npos)
            return numbers;
        start = end + 1;
    }
}

std::string CurrentDirectory()
{
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::string() : current.string();
}

} // namespace marn::cli
