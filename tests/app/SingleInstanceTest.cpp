// The claim that keeps one BusSearch per user: who is first, how a later start reaches the first
// one's window, and that the claim ends with its holder.
#include "app/SingleInstance.h"

#include <gtest/gtest.h>

#include "tests/support/WindowTestSupport.h"

namespace bus {
namespace {

using app::TSingleInstance;

// A plain window that counts the show requests it gets.
class RequestWindow {
public:
  RequestWindow() {
    static const ATOM atom = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = Proc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"BusSingleInstanceTest";
      return RegisterClassW(&wc);
    }();
    handle_ = CreateWindowW(MAKEINTATOM(atom), L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&requests_));
  }
  ~RequestWindow() { DestroyWindow(handle_); }
  HWND Handle() const { return handle_; }
  int Requests() const { return requests_; }

private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == TSingleInstance::ShowRequestMessage())
      ++*reinterpret_cast<int*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  HWND handle_ = nullptr;
  int requests_ = 0;
};

std::wstring TestName(const wchar_t* user) {
  return L"Local\\Zelvo.BusSearch.test." + std::to_wstring(GetCurrentProcessId()) + L"." + user;
}

TEST(SingleInstance, TheFirstClaimWinsPerUserAndEndsWithItsHolder) {
  auto first = std::make_unique<TSingleInstance>(TestName(L"alice"));
  EXPECT_TRUE(first->First());
  {
    TSingleInstance second(TestName(L"alice"));
    EXPECT_FALSE(second.First());
    TSingleInstance otherUser(TestName(L"bob"));  // another user runs a program of their own
    EXPECT_TRUE(otherUser.First());
  }
  first.reset();
  EXPECT_TRUE(TSingleInstance(TestName(L"alice")).First());  // the program ended: the next start runs
  // the real name is per session and carries the user's identifier
  const std::wstring name = TSingleInstance::UserInstanceName();
  EXPECT_EQ(name.rfind(L"Local\\Zelvo.BusSearch.S-1-", 0), 0u) << std::string(name.begin(), name.end());
}

TEST(SingleInstance, ALaterStartAsksThePublishedWindowToShowItself) {
  RequestWindow window;
  TSingleInstance first(TestName(L"carol"));
  TSingleInstance later(TestName(L"carol"));
  EXPECT_FALSE(first.ActivateFirst(0));   // the first instance asks nobody
  EXPECT_FALSE(later.ActivateFirst(200));  // nothing published yet: gives up at the deadline
  first.Publish(window.Handle());
  later.Publish(nullptr);  // a later instance publishes nothing
  ASSERT_TRUE(later.ActivateFirst(200));
  ASSERT_TRUE(test::PumpUntil([&] { return window.Requests() == 1; }));
  // a window that went is not asked (its handle may belong to anybody by now)
  {
    RequestWindow other;
    first.Publish(other.Handle());
  }
  EXPECT_FALSE(later.ActivateFirst(100));
  first.Publish(window.Handle());
  EXPECT_TRUE(later.ActivateFirst(100));
  EXPECT_TRUE(test::PumpUntil([&] { return window.Requests() == 2; }));
}

}  // namespace
}  // namespace bus
