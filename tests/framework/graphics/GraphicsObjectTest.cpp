#include <windows.h>

#include <gtest/gtest.h>

#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"

namespace {

using namespace bus;

TEST(Font, DefaultsShowChineseAndMakeNoHandleUntilAsked) {
  TFont font;
  EXPECT_EQ(font.Name(), "MS Shell Dlg 2");
  EXPECT_EQ(font.Height(), -11);
  EXPECT_EQ(font.Color(), clWindowText);
  EXPECT_TRUE(font.Style().Empty());
  EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
  EXPECT_FALSE(font.HandleAllocated());
  HFONT h = font.Handle();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(font.Handle(), h);  // made once
  LOGFONTW lf{};
  ASSERT_EQ(GetObjectW(h, sizeof lf, &lf), int(sizeof lf));
  EXPECT_STREQ(lf.lfFaceName, L"MS Shell Dlg 2");
  EXPECT_EQ(lf.lfHeight, -11);
}

TEST(Font, SizeAndHeightConvertAtTheFontsResolution) {
  TFont font;
  font.SetPixelsPerInch(96);
  EXPECT_EQ(font.Size(), 8);  // -11 px at 96 dpi
  font.SetSize(9);
  EXPECT_EQ(font.Height(), -12);
  font.SetPixelsPerInch(120);
  EXPECT_EQ(font.Size(), 7);
}

TEST(Font, EveryRealChangeNotifiesTheOwnerOnce) {
  TFont font;
  int changes = 0;
  font.SetOnChange([&] { ++changes; });
  font.SetStyle({fsUnderline});
  EXPECT_EQ(changes, 1);
  font.SetStyle({fsUnderline});  // no change, no notification
  EXPECT_EQ(changes, 1);
  font.SetStyle(font.Style() - TFontStyles{fsUnderline});
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(font.Style().Empty());
  font.SetColor(clBlue);
  font.SetName("SimSun");
  font.SetHeight(-12);
  font.SetCharset(GB2312_CHARSET);
  EXPECT_EQ(changes, 6);
  // a batch notifies once, at its end
  font.BeginUpdate();
  font.SetStyle({fsBold, fsItalic});
  font.SetHeight(-20);
  font.SetColor(clRed);
  EXPECT_EQ(changes, 6);
  font.EndUpdate();
  EXPECT_EQ(changes, 7);
  font.BeginUpdate();
  font.EndUpdate();
  EXPECT_EQ(changes, 7);
}

TEST(Font, ColourChangeKeepsTheHandleOtherChangesMakeANewOne) {
  TFont font;
  HFONT first = font.Handle();
  font.SetColor(clRed);
  EXPECT_EQ(font.Handle(), first);
  font.SetStyle({fsBold});
  EXPECT_EQ(GetObjectType(first), 0u);  // the replaced font was deleted at once
  HFONT bold = font.Handle();
  LOGFONTW lf{};
  GetObjectW(bold, sizeof lf, &lf);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
}

TEST(Font, AssignCopiesEverythingAndSharesTheHandleUntilOneChanges) {
  TFont a, b;
  a.SetName("SimSun");
  a.SetStyle({fsItalic, fsStrikeOut});
  a.SetColor(clBlue);
  HFONT shared = a.Handle();
  int changes = 0;
  b.SetOnChange([&] { ++changes; });
  b.Assign(a);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(b.SameAs(a));
  EXPECT_EQ(b.Color(), clBlue);
  EXPECT_EQ(b.Handle(), shared);
  b.Assign(a);  // nothing new
  EXPECT_EQ(changes, 1);
  b.SetHeight(-30);
  EXPECT_NE(b.Handle(), shared);
  EXPECT_EQ(a.Handle(), shared);
  EXPECT_NE(GetObjectType(shared), 0u);  // still a's
  EXPECT_EQ(a.Height(), -11);
}

TEST(Font, AnOutsideHandleIsAdoptedAndDeletedWithTheFont) {
  LOGFONTW lf{};
  lf.lfHeight = -17;
  lf.lfWeight = FW_BOLD;
  lf.lfUnderline = TRUE;
  lf.lfCharSet = GB2312_CHARSET;
  wcscpy(lf.lfFaceName, L"宋体");
  HFONT outside = CreateFontIndirectW(&lf);
  ASSERT_NE(outside, nullptr);
  {
    TFont font;
    int changes = 0;
    font.SetOnChange([&] { ++changes; });
    font.SetHandle(outside);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(font.Handle(), outside);
    EXPECT_EQ(font.Name(), "宋体");
    EXPECT_EQ(font.Height(), -17);
    EXPECT_EQ(font.Style(), (TFontStyles{fsBold, fsUnderline}));
    EXPECT_EQ(font.Charset(), GB2312_CHARSET);
    // something that is not a font is ignored
    font.SetHandle(nullptr);
    font.SetHandle(reinterpret_cast<HFONT>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(font.Handle(), outside);
    EXPECT_EQ(changes, 1);
  }
  EXPECT_EQ(GetObjectType(outside), 0u);
}

TEST(Font, LongFaceNamesAreCutToWhatTheFontMapperTakes) {
  TFont font;
  font.SetName(std::string(40, 'x'));
  EXPECT_EQ(wcslen(font.LogFont().lfFaceName), 31u);
  EXPECT_NE(font.Handle(), nullptr);
}

TEST(Brush, StylesMakeTheRightKindOfBrush) {
  TBrush brush;
  EXPECT_EQ(brush.Color(), clWhite);
  EXPECT_EQ(brush.Style(), bsSolid);
  LOGBRUSH lb{};
  ASSERT_TRUE(GetObjectW(brush.Handle(), sizeof lb, &lb));
  EXPECT_EQ(lb.lbStyle, UINT(BS_SOLID));
  EXPECT_EQ(lb.lbColor, 0xFFFFFFu);
  int changes = 0;
  brush.SetOnChange([&] { ++changes; });
  brush.SetStyle(bsClear);
  EXPECT_EQ(brush.Handle(), GetStockObject(NULL_BRUSH));
  brush.SetStyle(bsSolid);
  brush.SetColor(clBtnFace);  // the scheme's own brush
  EXPECT_EQ(brush.Handle(), GetSysColorBrush(COLOR_BTNFACE));
  brush.SetStyle(bsCross);
  ASSERT_TRUE(GetObjectW(brush.Handle(), sizeof lb, &lb));
  EXPECT_EQ(lb.lbStyle, UINT(BS_HATCHED));
  EXPECT_EQ(lb.lbHatch, ULONG_PTR(HS_CROSS));
  EXPECT_EQ(changes, 4);
  TBrush copy;
  copy.Assign(brush);
  EXPECT_EQ(copy.Handle(), brush.Handle());
}

TEST(Pen, AttributesReachTheGdiPenAndModeIsKeptApart) {
  TPen pen;
  EXPECT_EQ(pen.Color(), clBlack);
  EXPECT_EQ(pen.Width(), 1);
  EXPECT_EQ(pen.Mode(), pmCopy);
  int changes = 0;
  pen.SetOnChange([&] { ++changes; });
  pen.SetColor(clRed);
  pen.SetWidth(3);
  pen.SetStyle(psDash);
  HPEN h = pen.Handle();
  LOGPEN lp{};
  ASSERT_TRUE(GetObjectW(h, sizeof lp, &lp));
  EXPECT_EQ(lp.lopnColor, 0x0000FFu);
  EXPECT_EQ(lp.lopnWidth.x, 3);
  EXPECT_EQ(lp.lopnStyle, UINT(PS_DASH));
  pen.SetMode(pmNot);
  EXPECT_EQ(pen.Handle(), h);  // the mode is the canvas's business
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(PenModeToRop2(pmNot), R2_NOT);
  EXPECT_EQ(PenModeToRop2(pmXor), R2_XORPEN);
  pen.SetWidth(0);
  EXPECT_EQ(pen.Width(), 1);
  pen.SetStyle(psClear);
  EXPECT_EQ(pen.Handle(), GetStockObject(NULL_PEN));
  TPen copy;
  copy.Assign(pen);
  EXPECT_EQ(copy.Mode(), pmNot);
  EXPECT_EQ(copy.Style(), psClear);
}

}  // namespace
