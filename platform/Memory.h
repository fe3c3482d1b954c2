// How much memory the machine can still give this program: the kernel's
// available memory and free swap, and no more than a control group's limit
// less what the group already holds and could not give back at once, where
// one is set (a container).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace plat {

// Bytes the program may still take; none when the machine does not say.
std::optional<std::uint64_t> GetAvailableMemory();

// Tests stand in for the machine's answer (none: the machine answers). Set
// it while no run asks.
using AvailableMemoryHandler = std::function<std::optional<std::uint64_t>()>;
AvailableMemoryHandler SetAvailableMemoryHandler(AvailableMemoryHandler handler);

// The pieces the answer is read from, for tests: the kernel's meminfo text,
// the process's cgroup list, a reader of a control group file (the path
// below the cgroup mount; none when it cannot be read) and the files the
// tmpfs file systems in sight hold (their entries and inodes cannot be given
// back; v1 groups on newer kernels do not say which caches they hold), and
// the machine's low watermark in bytes (the most of a group's reclaimable
// memory held back; by default half of it).
using ControlFileReader = std::function<std::optional<std::string>(const std::string& path)>;
std::optional<std::uint64_t> AvailableMemoryFrom(const std::string& meminfo, const std::string& cgroups,
                                                  const ControlFileReader& read, std::uint64_t tmpfsFiles = 0,
                                                  std::uint64_t lowWatermark = UINT64_MAX);
// True when a memory group above the program sets it a limit: the group is
// charged for the kernel's entries of what the program makes, on any file
// system. Tests stand in for the answer (none: the machine answers).
bool MemoryGroupLimits();
using MemoryGroupLimitsHandler = std::function<bool()>;
MemoryGroupLimitsHandler SetMemoryGroupLimitsHandler(MemoryGroupLimitsHandler handler);

// The machine's low watermark from the text of /proc/zoneinfo, in bytes.
std::uint64_t LowWatermarkFrom(const std::string& zoneinfo);

}  // namespace plat
