// readingsgen UNIHAN_READINGS.txt OUT.h
//
// Writes the compiled-in table of Mandarin readings (see UnihanReadings.h) from the Unihan
// readings file (uncompressed). OUT.h is written beside itself and renamed over it, so a failed
// run leaves no half-written table.
#include <cstdio>
#include <fstream>
#include <iostream>

#include "core/Exception.h"
#include "tools/readingsgen/UnihanReadings.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: readingsgen UNIHAN_READINGS.txt OUT.h\n";
    return 2;
  }
  try {
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) throw bus::Exception(std::string("cannot read ") + argv[1]);
    const bus::tools::ReadingMap map = bus::tools::ReadUnihanReadings(in);
    if (map.empty()) throw bus::Exception(std::string("no readings in ") + argv[1]);
    const std::string temporary = std::string(argv[2]) + ".tmp";
    {
      std::ofstream out(temporary, std::ios::binary);
      bus::tools::WriteReadingsTable(map, "the Unihan readings", out);
      out.flush();
      if (!out) throw bus::Exception("cannot write " + temporary);
    }
    if (std::rename(temporary.c_str(), argv[2]) != 0) throw bus::Exception(std::string("cannot write ") + argv[2]);
    std::cout << "readingsgen: " << map.size() << " characters with readings\n";
    return 0;
  } catch (const bus::Exception& e) {
    std::cerr << "readingsgen: " << e.Message() << '\n';
    return 1;
  }
}
