#include "grid/DBGridFilter.h"

#include "core/Stream.h"
#include "framework/Properties.h"

namespace bus {

const TClassInfo& TrgDBGridFilter::StaticClassInfo() {
  static const TClassInfo info = TClassBuilder<TrgDBGridFilter>("TrgDBGridFilter", TPersistent::StaticClassInfo())
                                     .Bool("Active", &TrgDBGridFilter::Active, &TrgDBGridFilter::SetActive, false)
                                     .Binary("Criteria", &TrgDBGridFilter::ReadCriteria)
                                     .Build();
  return info;
}

void TrgDBGridFilter::ReadCriteria(TStream& stream) {
  const auto size = stream.Size() - stream.Position();
  criteria_.resize(std::size_t(size > 0 ? size : 0));
  if (!criteria_.empty()) stream.ReadBuffer(criteria_.data(), criteria_.size());
}

}  // namespace bus
