#include "framework/controls/ControlMessageHook.h"

#include <utility>

#include "framework/controls/Application.h"
#include "framework/controls/Control.h"

namespace bus {

struct TControlMessageHook::Link {
  TControl* control = nullptr;  // the hooked control
  TWndMethod previous;          // the handler ours replaced
  Handler handler;              // sees messages first; emptied once removed and idle
  bool removed = false;         // Remove ran: a pass-through at most
  bool detached = false;        // out of the control's chain
  int busy = 0;                 // calls running on this link
  bool* passedOn = nullptr;     // the innermost running call's flag: the message went on
};

namespace {

using Link = TControlMessageHook::Link;

// What the control's WindowProc holds while the hook is on: a handle on the shared link, so a copy
// of it (the control copies its handler for every message) keeps the link alive during a call.
struct Entry {
  std::shared_ptr<Link> link;
  void operator()(TMessage& m) const;
};

// Puts the previous handler back while ours is the control's WindowProc.
void Unchain(const std::shared_ptr<Link>& link) {
  if (link->detached) return;
  const Entry* current = link->control->WindowProc().target<Entry>();
  if (!current || current->link != link) return;  // someone sits on top of us: stay a pass-through
  link->detached = true;
  link->control->SetWindowProc(link->previous);
}

void Settle(const std::shared_ptr<Link>& link) {
  if (link->busy > 0 || !link->removed) return;
  link->handler = nullptr;
  Unchain(link);
}

void Entry::operator()(TMessage& m) const {
  Link& l = *link;
  if (l.removed || !l.handler) {
    l.previous(m);
    Settle(link);
    return;
  }
  ++l.busy;
  bool passedOn = false;
  bool* const outer = std::exchange(l.passedOn, &passedOn);
  bool answered = false;
  try {
    answered = l.handler(m);
  } catch (...) {
    HandleCurrentException(l.control);
  }
  if (!answered && !passedOn) {
    passedOn = true;
    l.previous(m);
  }
  l.passedOn = outer;
  --l.busy;
  Settle(link);
}

}  // namespace

TControlMessageHook::TControlMessageHook(TControl& control, Handler handler) : link_(std::make_shared<Link>()) {
  link_->control = &control;
  link_->previous = control.WindowProc();
  link_->handler = std::move(handler);
  control.SetWindowProc(Entry{link_});
}

TControlMessageHook::~TControlMessageHook() { Remove(); }

void TControlMessageHook::Remove() noexcept {
  if (link_->removed) return;
  link_->removed = true;
  Settle(link_);
}

void TControlMessageHook::Default(TMessage& m) const {
  if (link_->passedOn) *link_->passedOn = true;
  link_->previous(m);
}

bool TControlMessageHook::Installed() const noexcept { return !link_->removed; }

}  // namespace bus
