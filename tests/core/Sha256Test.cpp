#include "core/Sha256.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/Exception.h"
#include "tests/support/TestSupport.h"

namespace {

using bus::Sha256;

// The published test vectors, and messages whose padding falls on either side of a block's end.
TEST(Sha256, KnownDigestsAcrossBlockBoundaries) {
  EXPECT_EQ(Sha256::Of(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(Sha256::Of("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(Sha256::Of("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(Sha256::Of(std::string(1000000, 'a')),
            "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
  EXPECT_EQ(Sha256::Of(std::string(55, 'x')), Sha256::Of(std::string(55, 'x')));
  EXPECT_NE(Sha256::Of(std::string(55, 'x')), Sha256::Of(std::string(56, 'x')));
  EXPECT_EQ(Sha256::Of(std::string(64, 'a')), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb");
}

TEST(Sha256, PiecesHashLikeTheWholeAndFilesLikeTheirBytes) {
  std::string text;
  for (int i = 0; i < 5000; ++i) text += char('a' + i % 26) + std::to_string(i);
  Sha256 pieces;
  for (size_t at = 0; at < text.size(); at += 37) pieces.Update(std::string_view(text).substr(at, 37));
  EXPECT_EQ(pieces.HexDigest(), Sha256::Of(text));

  bus::test::TempDir dir;
  std::ofstream(dir.Path() / "f", std::ios::binary) << text;
  EXPECT_EQ(Sha256::OfFile(dir.Path() / "f"), Sha256::Of(text));
  EXPECT_THROW(Sha256::OfFile(dir.Path() / "missing"), bus::Exception);
}

}  // namespace
