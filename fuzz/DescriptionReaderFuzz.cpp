// Form descriptions from any bytes: the reader must either build the form or throw its own error,
// never crash, hang or leak.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "framework/DescriptionReader.h"
#include "tests/support/TestComponents.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool registered = (bus::test::RegisterTestClasses(), true);
  (void)registered;
  auto* form = new bus::test::TThingForm(nullptr);
  try {
    bus::ReadDescription(std::string_view(reinterpret_cast<const char*>(data), size), *form);
  } catch (const bus::Exception&) {
  }
  form->Free();
  bus::test::EventLog().clear();
  return 0;
}
