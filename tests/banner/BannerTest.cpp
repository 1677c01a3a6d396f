// The banner under Wine: movies read through the platform's codecs, the player drawing them
// scaled into its box, and the banner sequence of the main window against a web server on
// loopback (serving, answering 404, never answering, refusing).
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "banner/BannerPlayer.h"
#include "banner/BannerSequence.h"
#include "core/MakerSite.h"
#include "banner/MovieDecoder.h"
#include "core/BmpFile.h"
#include "framework/controls/Application.h"
#include "tests/support/DeskForm.h"
#include "tests/support/DesktopTestSupport.h"
#include "tests/support/GifWriter.h"
#include "tests/support/LoopbackServer.h"
#include "tests/support/TestSupport.h"

namespace bus {
namespace {

using test::kDesktopWait;
using test::PixelAt;
using test::PumpFor;
using test::PumpPending;
using test::PumpUntil;

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kBlack = 0x000000;
const std::vector<std::uint32_t> kPalette{kRed, kGreen, kBlue, kBlack};

// A 100 × 10 movie: red, then green, 10 ms each, for ever (or once with loopCount < 0).
std::vector<std::uint8_t> RedGreenGif(int loopCount = 0) {
  return test::WriteGif(100, 10, kPalette, {test::SolidFrame(0, 0, 100, 10, 0, 1), test::SolidFrame(0, 0, 100, 10, 1, 1)},
                        loopCount);
}

std::vector<std::uint8_t> BlueGif() { return test::WriteGif(100, 10, kPalette, {test::SolidFrame(0, 0, 100, 10, 2)}); }

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(test::FromUtf8(path), std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::string AsText(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// The colour at the centre of the box's client area, and near its top edge.
COLORREF BoxCentre(TBannerPlayer* box) { return PixelAt(*box, {box->ClientWidth() / 2, box->ClientHeight() / 2}); }
COLORREF BoxTop(TBannerPlayer* box) { return PixelAt(*box, {box->ClientWidth() / 2, 3}); }

TEST(MovieDecoder, ReadsPositionsDelaysDisposalAndTheLoopCountOfAGif) {
  test::GifFrame first = test::SolidFrame(0, 0, 4, 2, 0, 20);
  test::GifFrame second = test::SolidFrame(2, 1, 2, 1, 2, 0, 2);
  second.indices = {3, 2};
  second.transparentIndex = 3;
  test::GifFrame third = test::SolidFrame(0, 0, 1, 1, 1, 5);
  const banner::Movie movie = banner::DecodeMovie(test::WriteGif(4, 2, kPalette, {first, second, third}, 2));
  ASSERT_EQ(movie.frames.size(), 3u);
  EXPECT_EQ(movie.width, 4);
  EXPECT_EQ(movie.height, 2);
  EXPECT_EQ(movie.plays, 3);
  EXPECT_EQ(movie.frames[0].delayMs, 200u);
  EXPECT_EQ(movie.frames[1].delayMs, 100u);  // stored 0
  EXPECT_EQ(movie.frames[2].delayMs, 50u);
  const std::uint32_t r = 0xFFFF0000, g = 0xFF00FF00, b = 0xFF0000FF;
  EXPECT_EQ(movie.frames[0].pixels, (std::vector<std::uint32_t>{r, r, r, r, r, r, r, r}));
  // the transparent pixel keeps the red below; the piece lies at (2, 1)
  EXPECT_EQ(movie.frames[1].pixels, (std::vector<std::uint32_t>{r, r, r, r, r, r, r, b}));
  // the second piece was disposed to the background before the third
  EXPECT_EQ(movie.frames[2].pixels, (std::vector<std::uint32_t>{g, r, r, r, r, r, 0, 0}));
}

TEST(MovieDecoder, StillImagesPlayAsOneFrameAndAnythingElseIsEmpty) {
  BmpImage image(3, 2);
  for (std::uint8_t& byte : image.pixels) byte = 0x40;
  const banner::Movie still = banner::DecodeMovie(EncodeBmp(image, 24));
  ASSERT_EQ(still.frames.size(), 1u);
  EXPECT_EQ(still.width, 3);
  EXPECT_EQ(still.frames[0].pixels[0], 0xFF404040u);
  // a single-frame GIF too
  EXPECT_EQ(banner::DecodeMovie(BlueGif()).frames.size(), 1u);

  const std::string page = "<html><body><h1>404 Not Found</h1></body></html>";
  EXPECT_TRUE(banner::DecodeMovie(std::vector<std::uint8_t>(page.begin(), page.end())).Empty());
  std::vector<std::uint8_t> cut = RedGreenGif();
  cut.resize(20);
  EXPECT_TRUE(banner::DecodeMovie(cut).Empty());
  EXPECT_TRUE(banner::DecodeMovie({}).Empty());
  // a logical screen far beyond what a banner needs
  EXPECT_TRUE(banner::DecodeMovie(test::WriteGif(60000, 60000, kPalette, {test::SolidFrame(0, 0, 1, 1, 0)})).Empty());
  test::TempDir dir;
  EXPECT_TRUE(banner::ReadMovieFile(dir.File("missing")).Empty());
}

// The banner timer's interval in the tests, instead of the 3 s the description gives it.
constexpr unsigned kShortTick = 40;

class Banner : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    test::EnsureApplication();
    test::PrepareDesktopClasses();
  }
  void SetUp() override {
    form_ = Application->CreateForm<test::TfrmDesk>(test::kDeskDescription);
    form_->Banner->SetFileName(dir_.File("qbn"));
    form_->Banner->SetUrl("http://127.0.0.1:1/softdownload/update/qbn");  // nobody listens: refused
    box_ = form_->BannerPlayer1;
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(form_->Handle()) != 0; }, kDesktopWait));
  }
  void TearDown() override {
    if (form_) form_->Free();
    test::PumpPending();
  }
  // Runs the sequence now, as the timer's tick would, and waits until the box is shown.
  bool RunBanner(DWORD ms = 10000) {
    form_->Banner->Run(*form_->Timer1, *box_);
    return PumpUntil([&] { return form_->Banner->State() == TBannerState::bsShown; }, ms);
  }
  COLORREF BoxColour() const { return ColorToRGB(box_->Color()); }

  test::TempDir dir_;
  test::TfrmDesk* form_ = nullptr;
  TBannerPlayer* box_ = nullptr;
};

TEST_F(Banner, BoxIsHiddenUntilTheFirstTickAndShownFromItEvenWhenTheFetchFails) {
  // the timer as the description sets it: 3 s after the start; the test makes it tick sooner
  EXPECT_EQ(form_->Timer1->Interval(), 3000u);
  EXPECT_TRUE(form_->Timer1->Enabled());
  form_->Timer1->SetInterval(kShortTick);
  EXPECT_FALSE(box_->Visible());
  ASSERT_TRUE(PumpUntil([&] { return form_->Banner->State() == TBannerState::bsShown; }, kDesktopWait));
  EXPECT_EQ(form_->ticks, 1);
  EXPECT_FALSE(form_->boxVisibleAtTick);
  EXPECT_TRUE(box_->Visible());
  EXPECT_TRUE(IsWindowVisible(box_->Handle()));
  EXPECT_EQ(form_->Banner->FetchResult(), banner::TDownloadResult::drFailed);
  EXPECT_EQ(box_->CurrentFrame(), -1);  // no banner file from an earlier run: empty
  EXPECT_FALSE(std::filesystem::exists(test::FromUtf8(dir_.File("qbn"))));
  // the tick never comes again: no second fetch until the next start
  EXPECT_FALSE(form_->Timer1->Enabled());
  PumpFor(10 * kShortTick);  // ten intervals: a fixed time, since the check is that no tick comes
  EXPECT_EQ(form_->ticks, 1);
}

TEST_F(Banner, PlaysTheMovieServedOverLoopbackInTheBox) {
  const std::vector<std::uint8_t> gif = RedGreenGif();
  test::LoopbackServer server(test::LoopbackServer::Mode::Answer, std::string(kBannerPath), AsText(gif));
  form_->Banner->SetUrl(server.Url(std::string(kBannerPath)));
  ASSERT_TRUE(RunBanner());
  EXPECT_EQ(form_->Banner->FetchResult(), banner::TDownloadResult::drDone);
  EXPECT_EQ(server.Requests(), (std::vector<std::string>{"/softdownload/update/qbn"}));
  EXPECT_EQ(test::ReadFile(test::FromUtf8(dir_.File("qbn"))), AsText(gif));
  EXPECT_FALSE(std::filesystem::exists(test::FromUtf8(dir_.File("qbn.download"))));
  ASSERT_EQ(box_->Movie().frames.size(), 2u);
  EXPECT_TRUE(box_->Playing());
  // the whole 100 × 10 movie in the 351 × 73 box: full width, centred, box colour above and below
  const RECT r = box_->MovieRect();
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.right, 351);
  EXPECT_EQ(r.top, 19);
  EXPECT_EQ(r.bottom, 54);
  // both frames are seen in the middle; the edge keeps the box colour
  EXPECT_TRUE(PumpUntil([&] { return BoxCentre(box_) == RGB(255, 0, 0); }, kDesktopWait));
  EXPECT_TRUE(PumpUntil([&] { return BoxCentre(box_) == RGB(0, 255, 0); }, kDesktopWait));
  EXPECT_EQ(BoxTop(box_), BoxColour());
}

TEST_F(Banner, AnErrorPageIsNoBannerAndTheEarlierOneStays) {
  const std::vector<std::uint8_t> earlier = BlueGif();
  WriteBytes(dir_.File("qbn"), earlier);
  test::LoopbackServer server(test::LoopbackServer::Mode::Answer, "/elsewhere", "x");
  form_->Banner->SetUrl(server.Url(std::string(kBannerPath)));  // 404 with an HTML page
  ASSERT_TRUE(RunBanner());
  EXPECT_EQ(server.Connections(), 1);
  EXPECT_EQ(form_->Banner->FetchResult(), banner::TDownloadResult::drRejected);
  EXPECT_EQ(test::ReadFile(test::FromUtf8(dir_.File("qbn"))), AsText(earlier));
  EXPECT_FALSE(std::filesystem::exists(test::FromUtf8(dir_.File("qbn.download"))));
  EXPECT_TRUE(PumpUntil([&] { return BoxCentre(box_) == RGB(0, 0, 255); }, kDesktopWait));
}

TEST_F(Banner, AServerThatNeverAnswersLeavesTheWindowResponsiveAndTheBoxEmpty) {
  test::LoopbackServer server(test::LoopbackServer::Mode::NeverAnswer);
  form_->Banner->SetUrl(server.Url(std::string(kBannerPath)));
  form_->Banner->SetDeadline(600);
  form_->Banner->Run(*form_->Timer1, *box_);
  // the tick handler returned at once; the loop goes on and handles the window's messages
  EXPECT_EQ(form_->Banner->State(), TBannerState::bsFetching);
  EXPECT_TRUE(PumpUntil([&] { return server.Connections() == 1; }, kDesktopWait));
  int handled = 0;
  TTimer probe(nullptr);
  probe.SetInterval(20);
  probe.SetOnTimer(TNotifyEvent([&](TObject*) { ++handled; }));
  EXPECT_TRUE(PumpUntil([&] { return handled >= 5; }, 1000));
  EXPECT_EQ(form_->Banner->State(), TBannerState::bsFetching);
  // the deadline shows the box, empty
  ASSERT_TRUE(PumpUntil([&] { return form_->Banner->State() == TBannerState::bsShown; }, 5000));
  EXPECT_EQ(form_->Banner->FetchResult(), banner::TDownloadResult::drTimedOut);
  EXPECT_TRUE(IsWindowVisible(box_->Handle()));
  EXPECT_EQ(box_->CurrentFrame(), -1);
  EXPECT_EQ(BoxCentre(box_), BoxColour());
}

TEST_F(Banner, PlayerShowsStillsPlaysOnceWithoutALoopCountAndStaysEmptyForBadFiles) {
  form_->Timer1->SetEnabled(false);  // no banner sequence in between
  box_->Show();
  // no loop extension: one play, then the last frame stays
  WriteBytes(dir_.File("once.gif"), RedGreenGif(-1));
  box_->LoadMovie(0, dir_.File("once.gif"));
  box_->Play();
  EXPECT_TRUE(PumpUntil([&] { return !box_->Playing(); }, kDesktopWait));
  EXPECT_EQ(box_->CurrentFrame(), 1);
  EXPECT_TRUE(PumpUntil([&] { return BoxCentre(box_) == RGB(0, 255, 0); }, kDesktopWait));
  // a still image
  BmpImage image(8, 8);
  for (size_t i = 0; i < image.pixels.size(); i += 4) image.pixels[i] = 0xFF;  // blue
  WriteBytes(dir_.File("still.bmp"), EncodeBmp(image, 24));
  box_->LoadMovie(0, dir_.File("still.bmp"));
  box_->Play();
  EXPECT_FALSE(box_->Playing());
  EXPECT_TRUE(PumpUntil([&] { return BoxCentre(box_) == RGB(0, 0, 255); }, kDesktopWait));
  // exact fit stretches to the box
  box_->SetScaleMode(TBannerScaleMode::smExactFit);
  EXPECT_TRUE(PumpUntil([&] { return BoxTop(box_) == RGB(0, 0, 255); }, kDesktopWait));
  // missing or unreadable: an empty box and no error
  box_->LoadMovie(0, dir_.File("missing"));
  EXPECT_EQ(box_->CurrentFrame(), -1);
  EXPECT_TRUE(PumpUntil([&] { return BoxCentre(box_) == BoxColour(); }, kDesktopWait));
  WriteBytes(dir_.File("page"), std::vector<std::uint8_t>{'<', 'h', 't', 'm', 'l', '>'});
  box_->LoadMovie(0, dir_.File("page"));
  box_->Play();
  EXPECT_EQ(box_->CurrentFrame(), -1);
  // there is only layer 0
  EXPECT_THROW(box_->LoadMovie(1, dir_.File("still.bmp")), EBannerError);
}

}  // namespace
}  // namespace bus
