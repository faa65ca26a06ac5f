// marn-render: the render command of the marn tool ("marn render" runs it).

#include "app/Commands.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    return marn::cli::RunRender(std::vector<std::string>(argv + 1, argv + argc));
}
