// Base of the drawing objects (fonts, pens, brushes, bitmaps, icons): one change notification that
// the owner subscribes to, so a control repaints or a canvas reselects when its object changes.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "core/Exception.h"

namespace bus {

// A drawing operation that cannot be done: a canvas without a device context, a scan line out of
// range, a bitmap that cannot be created.
class EInvalidGraphicOperation : public Exception {
public:
  using Exception::Exception;
};

class TGraphicsObject {
public:
  using ChangeHandler = std::function<void()>;

  TGraphicsObject() = default;
  virtual ~TGraphicsObject() = default;
  TGraphicsObject(const TGraphicsObject&) = delete;
  TGraphicsObject& operator=(const TGraphicsObject&) = delete;

  // The owner's handler, called after every change of the object (empty: nobody listens).
  const ChangeHandler& OnChange() const noexcept { return onChange_; }
  void SetOnChange(ChangeHandler handler) { onChange_ = std::move(handler); }

  // Changes between BeginUpdate and the matching EndUpdate notify once, at that EndUpdate, and only
  // when something changed.
  void BeginUpdate() noexcept { ++updateDepth_; }
  void EndUpdate();

protected:
  // Reports a change to the owner (or remembers it while an update is in progress). retired is the
  // resource the change replaced (an old font handle, say): it is kept alive until the owner has
  // been told, so that a canvas can deselect it before it is deleted.
  void Changed(std::shared_ptr<const void> retired = nullptr);

private:
  void Notify();

  ChangeHandler onChange_;      // the owner's subscription
  int updateDepth_ = 0;         // nesting of BeginUpdate
  bool changePending_ = false;  // a change happened during the update
  std::vector<std::shared_ptr<const void>> retired_;  // replaced resources awaiting the notification
};

}  // namespace bus
