// What the machine says it can give, set for as long as this lives.
#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include "platform/Memory.h"

namespace testsupport {

class MachineMemory {
public:
    explicit MachineMemory(std::optional<std::uint64_t> bytes)
        : previous_(plat::SetAvailableMemoryHandler([bytes] { return bytes; })) {}
    // The machine's answer, asked afresh at each check.
    explicit MachineMemory(plat::AvailableMemoryHandler answer)
        : previous_(plat::SetAvailableMemoryHandler(std::move(answer))) {}
    ~MachineMemory() { plat::SetAvailableMemoryHandler(std::move(previous_)); }
    MachineMemory(const MachineMemory&) = delete;
    MachineMemory& operator=(const MachineMemory&) = delete;

private:
    plat::AvailableMemoryHandler previous_;
};

inline constexpr std::uint64_t kAmpleMemory = std::uint64_t{1} << 40;

}  // namespace testsupport
