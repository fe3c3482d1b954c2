// The machine's answer set from the run's own weight: what the run being
// weighed needs beyond its room, and `over` bytes more (less, when
// negative). Just under it a run is refused; at it the run goes. (Whether
// the weight is what the run then adds, tests/memory measures.)
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "pages/RunMemory.h"
#include "tests/support/MachineMemory.h"

namespace testsupport {

class AtWeight {
public:
    explicit AtWeight(double over)
        : machine_([over]() -> std::optional<std::uint64_t> {
              const RunMemoryNeed w = LastWeighedMemory();
              return static_cast<std::uint64_t>(std::max(0.0, std::ceil(w.bytes - LastWeighedRoom()) + over));
          }) {}

private:
    MachineMemory machine_;
};

}  // namespace testsupport
