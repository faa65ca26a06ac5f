#pragma once
// Parsing of the marn tool's arguments: options as "--name value" or
// "--name=value", switches as "--name" or "--name=value"; everything else,
// negative numbers included, is a positional argument. "--" ends the options.

#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace marn::cli {

struct ParsedArgs {
    std::map<std::string, std::string> options;  // value options given, by name without "--"
    std::map<std::string, std::string> switches; // switches given; value "" unless "--name=value"
    std::vector<std::string> positional;
    std::string error; // empty when the arguments parsed

    std::optional<std::string> option(const std::string& name) const;
    bool hasSwitch(const std::string& name) const { return switches.count(name) != 0; }
};

ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
    const std::set<std::string>& switchOptions);

// Parses a decimal number: an optional sign, digits with an optional decimal
// point, an optional exponent ("-33.5", "1e3", ".5"); nullopt for anything
// else: hexadecimal ("0x10"), "inf", "nan", blanks, an empty text.
std::optional<double> ParseNumber(const std::string& text);

// Parses numbers joined by `separator` ("36.5,-84.25" with ','); nullopt when
// one of them is not a number.
std::optional<std::vector<double>> ParseNumbers(const std::string& text, char separator);

// The exit status of a usage error, after its one line "marn COMMAND: PROBLEM"
// and a hint to "marn COMMAND --help" on `err` (command "" for marn itself).
inline constexpr int UsageStatus = 2;
int UsageError(std::ostream& err, const std::string& command, const std::string& problem);

// The version that "--version" reports.
const char* Version();

// The current working directory, or "" when it cannot be found. The tool's
// commands put it into the shared state's ProgramDir, so that a relative
// --data-drive is taken from where the tool is run, as a shell user expects.
std::string CurrentDirectory();

} // namespace marn::cli
