#pragma once
// The command "marn import --out DIR [options] SOURCE...".

#include <ostream>
#include <string>
#include <vector>

namespace marn::cli {

// Returns the exit status: 0 done, 1 the import failed (one-line message on
// `err`), 2 a usage error (with the usage on `err`). With `showProgress` a
// progress bar is drawn on `err`.
int RunImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool showProgress);

} // namespace marn::cli
