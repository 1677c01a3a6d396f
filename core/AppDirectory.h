// The directory of the running executable, UTF-8, ending in a path separator.
#pragma once

#include <string>

namespace bus {

std::string ExecutableDirectory();

}  // namespace bus
