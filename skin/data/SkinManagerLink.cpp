#include "skin/data/SkinManagerLink.h"

namespace bus {

namespace {
TSkinManagerProvider gProvider = nullptr;  // installed by the skin manager's layer
}  // namespace

void SetSkinManagerProvider(TSkinManagerProvider provider) noexcept { gProvider = provider; }

TSkinManagerLink* FindSkinManager(bool create) { return gProvider ? gProvider(create) : nullptr; }

}  // namespace bus
