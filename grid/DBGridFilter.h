// The database grid's filter settings. The grid never filters (every record is accepted); the
// settings are kept so that descriptions storing them read back.
#pragma once

#include <vector>

#include "framework/Persistent.h"

namespace bus {

class TStream;

class TrgDBGridFilter : public TPersistent {
  BUS_CLASS(TrgDBGridFilter)
public:
  bool Active() const noexcept { return active_; }
  void SetActive(bool v) noexcept { active_ = v; }
  // The stored criteria as they were read.
  const std::vector<unsigned char>& Criteria() const noexcept { return criteria_; }
  void ReadCriteria(TStream& stream);

private:
  bool active_ = false;                  // filtering requested
  std::vector<unsigned char> criteria_;  // stored criteria bytes
};

}  // namespace bus
