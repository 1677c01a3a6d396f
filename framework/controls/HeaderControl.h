// Header controls: a superclassed native header (SysHeader32), a row of Sections side by side, each
// with its text, width and alignment. The user clicks a section (OnSectionClick) or drags its right
// edge (OnSectionResize, after the section's Width shows the new width); changes made by code fire
// nothing. Aligned to its parent's top by default.
#pragma once

#include <memory>

#include "framework/Collection.h"
#include "framework/Types.h"
#include "framework/controls/WinControl.h"

namespace bus {

class THeaderControl;

class THeaderSection : public TCollectionItem {
  BUS_CLASS(THeaderSection)
public:
  using TCollectionItem::TCollectionItem;
  const std::string& Text() const noexcept { return text_; }
  void SetText(const std::string& v);
  int Width() const noexcept { return width_; }
  void SetWidth(int v);
  TAlignment Alignment() const noexcept { return alignment_; }
  void SetAlignment(TAlignment v);

private:
  friend class THeaderControl;
  std::string text_;                                  // shown text
  int width_ = 50;                                    // pixels
  TAlignment alignment_ = TAlignment::taLeftJustify;  // text placement
};

using THeaderSections = TOwnedCollection<THeaderSection>;
// (HeaderControl, Section)
using TSectionNotifyEvent = TEvent<THeaderControl*, THeaderSection*>;

class THeaderControl : public TWinControl {
  BUS_CLASS(THeaderControl)
public:
  explicit THeaderControl(TComponent* owner);
  ~THeaderControl() override;

  THeaderSections* Sections() const noexcept { return sections_.get(); }
  // The rectangle of section index in client coordinates (empty when there is none).
  RECT SectionRect(int index) const;

  TSectionNotifyEvent OnSectionClick;   // published
  TSectionNotifyEvent OnSectionResize;  // published

  void WndProc(TMessage& message) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

private:
  // Makes the native items match the sections (all of them, or the one that changed).
  void UpdateSections();
  void UpdateSection(int index);
  void CnNotify(TMessage& m);

  std::unique_ptr<THeaderSections> sections_;  // the items
  bool settingSections_ = false;               // code is changing the items: no events
};

}  // namespace bus
