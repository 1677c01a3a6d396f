// The wrappers of bars under Wine with our default skin: a progress bar composed from the skin at
// its minimum, half way and its maximum (also with a range that does not start at 0, standing and
// in chunks); a track bar whose thumb comes from the skin while the rest keeps the platform's look,
// and whose thumb is still dragged; a header whose sections and remainder come from the skin and
// whose sections are still clicked. Pixels are read back from the screen and compared with the
// skin's own images.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <utility>

#include "framework/controls/HeaderControl.h"
#include "framework/controls/ListView.h"
#include "framework/controls/ProgressBar.h"
#include "framework/controls/TrackBar.h"
#include "skin/control/SkinDrawing.h"
#include "skin/control/SkinHeader.h"
#include "skin/control/SkinListView.h"
#include "skin/control/SkinProgress.h"
#include "skin/control/SkinTrackBar.h"
#include "skin/data/BitmapFilters.h"
#include "skin/data/SkinData.h"
#include "tests/skin/control/WrapperFixture.h"
#include "tests/support/MessageSequence.h"
#include "tests/support/SkinWindowsSupport.h"
#include "tests/support/WindowTestSupport.h"

namespace bus {
namespace {

using test::Rgb;
using test::Screen;

class SkinBarTest : public test::SkinnedFormTest {
protected:
  // The whole of an image as an area.
  static RECT All(const BmpImage& image) { return {0, 0, image.width, image.height}; }
  // A lying bar w × h as the skin shows it: frame 1 of Progress over the face, frame 2 over the
  // first `filled` pixels.
  BmpImage LyingBar(int w, int h, int filled) const {
    const TDataSkinBorder& p = *skin_->Progress();
    return test::OverFace(*skin_, w, h, [&](HDC dc) {
      DrawSkinImage(dc, {0, 0, w, h}, p.Image(), false, p.Tile() == 1, true, 2, 1, p.Margins());
      if (filled > 0) DrawSkinImage(dc, {0, 0, filled, h}, p.Image(), false, p.Tile() == 1, true, 2, 2, p.Margins());
    });
  }
};

// --- progress bars --------------------------------------------------------------------------

TEST_F(SkinBarTest, AProgressBarIsEmptyAtItsMinimumHalfFullHalfWayAndFullAtItsMaximum) {
  ASSERT_NE(skin_->Progress(), nullptr);
  auto* bar = Place(new TProgressBar(form_), 10, 10, 200, 18);
  bar->SetMin(10);  // a range that does not start at 0: half way is 15
  bar->SetMax(20);
  test::TMessageRecorder recorder(*bar, {WM_PAINT});
  auto* wrapper = new TSkinProgress(bar);
  wrapper->AttachControl(&host_, skin_.get(), false, &canvas_);
  for (const auto& [position, filled] : {std::pair{10, 0}, std::pair{15, 100}, std::pair{20, 200}}) {
    SCOPED_TRACE(position);
    bar->SetPosition(position);
    test::PumpPending();
    const BmpImage shot = Screen(bar->Handle());
    ASSERT_EQ(shot.width, 200);
    EXPECT_EQ(test::Difference(shot, All(shot), LyingBar(200, shot.height, filled)), "");
  }
  EXPECT_TRUE(recorder.Messages().empty()) << "the bar's own painting never runs";

  // a standing bar fills from the bottom
  auto* standing = Place(new TProgressBar(form_), 250, 10, 18, 120);
  standing->SetOrientation(TProgressBarOrientation::pbVertical);
  standing->SetPosition(50);
  (new TSkinProgress(standing))->AttachControl(&host_, skin_.get(), false, &canvas_);
  test::PumpPending();
  const BmpImage shot = Screen(standing->Handle());
  BmpImage expected = LyingBar(shot.height, shot.width, shot.height / 2);
  RotateLeft(expected);
  EXPECT_EQ(test::Difference(shot, All(shot), expected), "");
}

TEST_F(SkinBarTest, AProgressBarInChunksFillsOnlyTheInsideOfItsFrame) {
  // the bar image: one grey frame with 3-pixel margins; a red chunk 4 × 6
  TSkinData chunky(nullptr);
  test::StoreArchive(chunky.StoredSkin(),
                     "[TitlebarSkin]\r\nSkinName=Chunks\r\n[Progress]\r\nBitmap=bar.bmp\r\nChunk=chunk.bmp\r\nStyle=1\r\n"
                     "LeftWidth=3\r\nRightWidth=3\r\nTopHeight=3\r\nBottomHeight=3\r\nTrans=1\r\n",
                     {{"bar.bmp", test::BmpFile(20, 12, [](int, int) { return 0x808080u; })},
                      {"chunk.bmp", test::BmpFile(4, 6, [](int x, int) { return x == 3 ? 0xFF00FFu : 0xFF0000u; })}});
  ASSERT_TRUE(chunky.LoadSkin());
  auto* bar = Place(new TProgressBar(form_), 10, 10, 100, 12);
  (new TSkinProgress(bar))->AttachControl(&host_, &chunky, false, &canvas_);
  bar->SetPosition(100);
  test::PumpPending();
  const BmpImage full = Screen(bar->Handle());
  const auto at = [](const BmpImage& shot, int x, int y) { return shot.Pixel(x, y) & 0xFFFFFF; };
  EXPECT_EQ(at(full, 1, 6), 0x808080u) << "the frame's left margin";
  EXPECT_EQ(at(full, 3, 6), 0xFF0000u) << "the first chunk";
  EXPECT_EQ(at(full, 6, 6), 0x808080u) << "the gap between chunks: the bar shows through";
  EXPECT_EQ(at(full, 96, 6), 0xFF0000u) << "the last chunk";
  EXPECT_EQ(at(full, 97, 6), 0x808080u) << "the chunks stop at the right margin";
  EXPECT_EQ(at(full, 50, 1), 0x808080u) << "chunks are centred: above them the bar";
  bar->SetPosition(0);
  test::PumpPending();
  EXPECT_FALSE(test::HasColour(Screen(bar->Handle()), {0, 0, 100, 12}, 0xFF0000u)) << "empty: no chunk";
}

// --- track bars -----------------------------------------------------------------------------

class SkinTrackBarTest : public SkinBarTest {
protected:
  void SetUp() override {
    SkinBarTest::SetUp();
    plain_ = Place(new TTrackBar(form_), 10, 10, 200, 40);
    bar_ = Place(new TTrackBar(form_), 10, 70, 200, 40);
    for (TTrackBar* b : {plain_, bar_}) b->SetPosition(3);
    (new TSkinTrackBar(bar_))->AttachControl(&host_, skin_.get(), false, &canvas_);
    test::PumpPending();
  }
  RECT Thumb() const {
    RECT r{};
    SendMessageW(bar_->Handle(), TBM_GETTHUMBRECT, 0, LPARAM(&r));
    return r;
  }
  // Frame 2 of the horizontal thumb stretched to w × h, magenta where the bar shows through.
  BmpImage ThumbFrame(int w, int h) const {
    const TBitmap& image = skin_->Part(TSkinPart::TrackbarThumbHorz)->Image();
    return test::OverFace(*skin_, w, h, [&](HDC dc) { DrawSkinFrame(dc, {0, 0, w, h}, image, false, 5, 2); });
  }
  // Where the thumb's own pixels (not magenta) differ from the screen; empty when they agree.
  std::string ThumbDifference(const BmpImage& shot, const RECT& thumb) const {
    const BmpImage frame = ThumbFrame(thumb.right - thumb.left, thumb.bottom - thumb.top);
    for (int y = 0; y < frame.height; ++y)
      for (int x = 0; x < frame.width; ++x) {
        const std::uint32_t want = frame.Pixel(x, y) & 0xFFFFFF;
        if (want == 0xFF00FF) continue;
        if ((shot.Pixel(thumb.left + x, thumb.top + y) & 0xFFFFFF) != want)
          return "thumb pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
      }
    return {};
  }

  TTrackBar* plain_ = nullptr;  // unskinned twin
  TTrackBar* bar_ = nullptr;    // skinned
};

TEST_F(SkinTrackBarTest, TheThumbComesFromTheSkinWhileChannelAndTicksKeepTheirLook) {
  ASSERT_NE(skin_->Part(TSkinPart::TrackbarThumbHorz), nullptr);
  const RECT thumb = Thumb();
  ASSERT_FALSE(IsRectEmpty(&thumb));
  const BmpImage skinned = Screen(bar_->Handle()), plain = Screen(plain_->Handle());
  EXPECT_EQ(ThumbDifference(skinned, thumb), "");
  int differing = 0;
  for (int y = 0; y < skinned.height; ++y)
    for (int x = 0; x < skinned.width; ++x) {
      const POINT p{x, y};
      if (PtInRect(&thumb, p)) continue;
      if ((skinned.Pixel(x, y) & 0xFFFFFF) != (plain.Pixel(x, y) & 0xFFFFFF)) ++differing;
    }
  EXPECT_EQ(differing, 0) << "outside the thumb the skinned bar looks like the plain one";
}

TEST_F(SkinTrackBarTest, DraggingTheThumbStillMovesThePositionAndFiresOnChange) {
  int changes = 0;
  bar_->OnChange = TNotifyEvent([&](TObject*) { ++changes; });
  const RECT before = Thumb();
  const int x = (before.left + before.right) / 2, y = (before.top + before.bottom) / 2;
  const HWND h = bar_->Handle();
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 80, y));
  SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(x + 80, y));
  test::PumpPending();
  EXPECT_GT(bar_->Position(), 3);
  EXPECT_GT(changes, 0);
  const RECT after = Thumb();
  EXPECT_GT(after.left, before.left);
  EXPECT_EQ(ThumbDifference(Screen(h), after), "") << "the skin's thumb at the new place";
}

// --- headers --------------------------------------------------------------------------------

TEST_F(SkinBarTest, HeaderSectionsAndTheRemainderComeFromTheSkinAndSectionsStillClick) {
  const TDataSkinObject* image = skin_->Headerbar();
  ASSERT_NE(image, nullptr);
  auto* header = Place(new THeaderControl(form_), 10, 10, 300, 24);
  header->SetAlign(TAlign::alNone);
  header->SetBounds(10, 10, 300, 24);
  const std::pair<const char*, TAlignment> sections[] = {
      {"站点", TAlignment::taLeftJustify}, {"", TAlignment::taLeftJustify}, {"右边", TAlignment::taRightJustify}};
  for (const auto& [text, alignment] : sections) {
    THeaderSection* s = header->Sections()->Add();
    s->SetText(text);
    s->SetWidth(70);
    s->SetAlignment(alignment);
  }
  int clicked = -1;
  header->OnSectionClick = TSectionNotifyEvent([&](THeaderControl*, THeaderSection* s) { clicked = s->Index(); });
  test::TMessageRecorder recorder(*header, {WM_PAINT});
  (new TSkinHeader(header))->AttachWindow(header->Handle(), skin_.get(), &host_, &canvas_);
  test::PumpPending();
  const BmpImage shot = Screen(header->Handle());
  const int h = shot.height;
  const auto frame = [&](int w) {
    return RenderSkinImage({0, 0, w, h}, image->Image(), image->Margins(), false, image->Tile() == 1, image->Frame(), 1)
        ->ToImage();
  };
  EXPECT_EQ(test::Difference(shot, {210, 0, 300, h}, frame(90)), "") << "the remainder";
  EXPECT_EQ(test::Difference(shot, {70, 0, 140, h}, frame(70)), "") << "a section without text";
  const std::vector<std::uint32_t> background = test::ColoursOf(frame(70));
  const test::Extent left = test::InkExtent(shot, {0, 0, 70, h}, background);
  const test::Extent right = test::InkExtent(shot, {140, 0, 210, h}, background);
  ASSERT_TRUE(left.found && right.found);
  EXPECT_LE(left.left, 6);
  EXPECT_GE(right.right, 204);
  EXPECT_GT(right.left, 150);
  EXPECT_TRUE(test::HasColour(shot, {0, 0, 70, h}, Rgb(image->NormalColour2())));

  // a click on a section is the header's own
  SendMessageW(header->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(175, 10));
  SendMessageW(header->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(175, 10));
  test::PumpPending();
  EXPECT_EQ(clicked, 2);
}

TEST_F(SkinBarTest, AReportListViewsHeaderGetsTheSkinToo) {
  auto* list = Place(new TListView(form_), 10, 10, 300, 150);
  list->SetViewStyle(TViewStyle::vsReport);
  list->Columns()->Add()->SetCaption("线路");
  list->Columns()->Items(0)->SetWidth(100);
  auto* wrapper = new TSkinListView(list);
  wrapper->AttachScrolling(*list, skin_.get(), &host_, &canvas_);
  ASSERT_NE(wrapper->Header(), nullptr);
  const HWND header = wrapper->Header()->Handle();
  RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  test::PumpPending();
  const BmpImage shot = Screen(header);
  const TDataSkinObject& image = *skin_->Headerbar();
  const RECT rest{100, 0, shot.width, shot.height};
  const BmpImage expected = RenderSkinImage({0, 0, rest.right - rest.left, rest.bottom}, image.Image(), image.Margins(),
                                            false, image.Tile() == 1, image.Frame(), 1)
                                ->ToImage();
  EXPECT_EQ(test::Difference(shot, rest, expected), "");
}

// --- without the skin's images --------------------------------------------------------------

TEST_F(SkinBarTest, WithoutTheirImagesBarsPaintThemselvesAndTheThumbIsAPlainBox) {
  TSkinData plain(nullptr);
  test::GiveTestSkin(plain);
  auto* bar = Place(new TProgressBar(form_), 10, 10, 200, 18);
  auto* header = Place(new THeaderControl(form_), 10, 40, 200, 24);
  header->SetAlign(TAlign::alNone);
  header->SetBounds(10, 40, 200, 24);
  header->Sections()->Add()->SetText("站点");
  auto* track = Place(new TTrackBar(form_), 10, 80, 200, 40);
  test::TMessageRecorder bars(*bar, {WM_PAINT}), headers(*header, {WM_PAINT});
  (new TSkinProgress(bar))->AttachControl(&host_, &plain, false, &canvas_);
  (new TSkinHeader(header))->AttachWindow(header->Handle(), &plain, &host_, &canvas_);
  (new TSkinTrackBar(track))->AttachControl(&host_, &plain, false, &canvas_);
  test::PumpPending();
  EXPECT_FALSE(bars.Messages().empty()) << "the progress bar paints itself";
  EXPECT_FALSE(headers.Messages().empty()) << "the header paints itself";
  RECT thumb{};
  SendMessageW(track->Handle(), TBM_GETTHUMBRECT, 0, LPARAM(&thumb));
  const BmpImage shot = Screen(track->Handle());
  EXPECT_EQ(shot.Pixel(thumb.left, (thumb.top + thumb.bottom) / 2) & 0xFFFFFF, Rgb(plain.ButtonShadow()));
  EXPECT_EQ(shot.Pixel((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2) & 0xFFFFFF,
            Rgb(plain.ButtonFace()));
}

}  // namespace
}  // namespace bus
