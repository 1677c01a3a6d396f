// The build's rendering of a skin archive as the SkinStream property of a form description: read
// back by the form description reader, it hands the component the length and every byte.
#include <gtest/gtest.h>

#include "core/Stream.h"
#include "framework/ClassRegistry.h"
#include "framework/Component.h"
#include "framework/DescriptionReader.h"
#include "tests/support/TestSupport.h"

namespace bus {
namespace {

// Keeps the bytes of its SkinStream property as they arrive.
class TStreamHolder : public TComponent {
  BUS_CLASS(TStreamHolder)
public:
  using TComponent::TComponent;
  void ReadSkinStream(TStream& s) {
    bytes.resize(std::size_t(s.Size() - s.Position()));
    if (!bytes.empty()) s.ReadBuffer(bytes.data(), bytes.size());
  }
  std::vector<std::uint8_t> bytes;  // everything the property held
};

const TClassInfo& TStreamHolder::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TStreamHolder>("TStreamHolder", TComponent::StaticClassInfo())
                                     .Creatable()
                                     .Binary("SkinStream", &TStreamHolder::ReadSkinStream)
                                     .Build();
  return info;
}

TEST(SkinStreamText, CarriesTheLengthAndEveryByteOfTheArchive) {
  RegisterClasses({&TStreamHolder::StaticClassInfo()});
  const std::string archive = test::ReadFile(test::BinaryDir() / "bussearch.skn");
  const std::string property = test::ReadFile(test::BinaryDir() / "bussearch.skinstream");
  ASSERT_FALSE(archive.empty());
  EXPECT_TRUE(property.starts_with("SkinStream = {"));
  TStreamHolder root(nullptr);
  ReadDescription("object Root: TStreamHolder\n  object SkinData1: TStreamHolder\n" + property + "  end\nend\n", root);
  auto* holder = dynamic_cast<TStreamHolder*>(root.FindComponent("SkinData1"));
  ASSERT_NE(holder, nullptr);
  ASSERT_EQ(holder->bytes.size(), archive.size() + 4);
  const std::uint32_t length = std::uint32_t(holder->bytes[0]) | std::uint32_t(holder->bytes[1]) << 8 |
                               std::uint32_t(holder->bytes[2]) << 16 | std::uint32_t(holder->bytes[3]) << 24;
  EXPECT_EQ(length, archive.size());
  EXPECT_TRUE(std::equal(archive.begin(), archive.end(), holder->bytes.begin() + 4,
                         [](char a, std::uint8_t b) { return std::uint8_t(a) == b; }));
}

}  // namespace
}  // namespace bus
