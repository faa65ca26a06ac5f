#include "Commands.h"

#include <iostream>

namespace marn::cli {

int RunHeight(const std::vector<std::string>&)
{
    std::cerr << "marn: this command is not built yet\n";
    return 2;
}

} // namespace marn::cli
