#include "framework/controls/ComApartment.h"

#include <objbase.h>

namespace bus {

namespace {

// The apartment of one thread: joined when made, left when the thread ends.
struct Apartment {
  HRESULT joined = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // the result of joining
  ~Apartment() {
    if (SUCCEEDED(joined)) CoUninitialize();
  }
};

}  // namespace

bool JoinComApartment() {
  thread_local Apartment apartment;
  return SUCCEEDED(apartment.joined) || apartment.joined == RPC_E_CHANGED_MODE;
}

}  // namespace bus
