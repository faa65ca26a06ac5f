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

namespace {

bool IsDecimalNumber(const std::string& text)
{
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        return i - start;
    };
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t mantissa = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == text.size();
}

} // namespace

int UsageError(std::ostream& err, const std::string& command, const std::string& problem)
{
    const std::string name = command.empty() ? "marn" : "marn " + command;
    err << name << ": " << problem << "\nTry '" << name << " --help' for more information.\n";
    return UsageStatus;
}

const char* Version()
{
    return MARN_VERSION;
}

std::optional<double> ParseNumber(const std::string& text)
{
    if (!IsDecimalNumber(text))
        return std::nullopt;
    const double value = std::strtod(text.c_str(), nullptr);
    if (!std::isfinite(value)) // beyond the range of a double
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
