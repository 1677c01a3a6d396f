// busquery: see BusQueryCommand.h.
#include <iostream>
#include <string>
#include <vector>

#include "core/AppDirectory.h"
#include "tools/busquery/BusQueryCommand.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "core/WideText.h"

// Arguments arrive as UTF-16 whatever the system's code page; the output is UTF-8 bytes exactly as
// written (no "\r\n" translation). A console shows UTF-8 while the program runs.
int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(bus::Narrow(argv[i]));
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  const UINT consolePage = GetConsoleOutputCP();
  if (consolePage != 0) SetConsoleOutputCP(CP_UTF8);
  const int status = bus::tools::RunBusQuery(args, bus::ExecutableDirectory(), std::cout, std::cerr);
  std::cout.flush();
  if (consolePage != 0) SetConsoleOutputCP(consolePage);
  return status;
}
#else
int main(int argc, char** argv) {
  return bus::tools::RunBusQuery(std::vector<std::string>(argv + 1, argv + argc), bus::ExecutableDirectory(),
                                 std::cout, std::cerr);
}
#endif
