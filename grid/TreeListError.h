// The error raised when the grid's model is misused (a node without a grid, a move into its own
// subtree, an index outside the node lists).
#pragma once

#include "core/Exception.h"

namespace bus {

class EInvalidrgTreeListOperation : public Exception {
public:
  using Exception::Exception;
};

}  // namespace bus
