// A run that fitted, repeated unchanged, fits. The machine answers a fixed
// total less what the allocator holds now, the total set so that the first
// run just passes its check (and 1 MiB beyond, which a first run leaves
// held once: the window's caches, the workers' first buffers): what the
// first run leaves held must come back as room for the second (the page's
// records and lists, the log's lines), whatever the second then finds
// there already.
#include <gtest/gtest.h>

#include <sys/mount.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>

#include "pages/RunMemory.h"
#include "tests/memory/RunShapes.h"
#include "tests/support/HeldMemory.h"
#include "tests/support/MachineMemory.h"
#include "tests/support/MountNamespace.h"
#include "tests/support/TempDrive.h"

namespace {

using runshapes::RunShape;

constexpr std::int64_t kOnce = 1 << 20;

// Shapes whose repeat does not fit yet, and what it lacks.
const char* RepeatLacks(const std::string& name) {
    // Not room: they stay until an Undo, and each Overwrite run adds its own
    // (2.2 MB of records here, and the names taken, 2.7 MB the first time).
    if (name == "v10overwriteDeep")
        return "page 10's overwrite records and the working-copy names they hold grow with each run";
    // Each undo that leaves its records adds their lines to the zoom, which
    // only the next run clears: 6.6 MB here (0.6 MB for page 06's).
    if (name == "v02undoLeft") return "what stays of each undo is added to the zoom again, which only a run clears";
    return nullptr;
}

class RunRepeat : public ::testing::TestWithParam<RunShape> {};

// Each check as the child saw it: its net weight (what it weighed less its
// room) and the allocator's bytes held when the machine was asked.
struct Check {
    double net = 0, held = 0;
};

TEST_P(RunRepeat, ARunThatFittedFitsAgainUnchanged) {
    const RunShape& shape = GetParam();
    if (const char* lacks = RepeatLacks(shape.name)) GTEST_SKIP() << lacks;
    const testsupport::TempDrive drive('W');
    const std::string report = drive.nativePath("checks");
    const testsupport::MountChild child = testsupport::InOwnMountNamespace([&] {
        drive.MakeFolder("T");
        if (mount("tmpfs", drive.nativePath("T").c_str(), "tmpfs", 0, "size=2g") != 0)
            testsupport::CannotMount("a tmpfs for the run");
        runshapes::ShapeWindow window(drive.native(), drive.letter());
        {
            const testsupport::MachineMemory ample(testsupport::kAmpleMemory);
            shape.arrange(window, (1L << shape.power) + 1);
        }
        std::ofstream out(report);
        std::optional<std::int64_t> total;
        // The weight and room are set before the machine is asked; a count
        // that asks before the run weighs finds the machine as it stands.
        ResetLastWeighed();
        const testsupport::MachineMemory machine([&]() -> std::optional<std::uint64_t> {
            const std::int64_t held = testsupport::HeldNow();
            const double net = LastWeighedMemory().bytes - LastWeighedRoom();
            if (!total && LastWeighedMemory().bytes <= 0) return testsupport::kAmpleMemory;
            if (!total) total = held + static_cast<std::int64_t>(std::ceil(std::max(0.0, net))) + kOnce;
            out << net << ' ' << held << '\n' << std::flush;
            return static_cast<std::uint64_t>(std::max<std::int64_t>(0, *total - held));
        });
        for (int run = 1; run <= 2; ++run) {
            shape.run(window);
            if (std::count(window.Boxes().begin(), window.Boxes().end(), "0458.") > 0) return run;
        }
        return 0;
    });
    ASSERT_TRUE(child.mounted) << child.why;
    std::ifstream in(report);
    Check first, second;
    in >> first.net >> first.held >> second.net >> second.held;
    std::printf("%-20s first net %7.2f MB, then held %+7.2f MB, second net %7.2f MB\n", shape.name, first.net / 1e6,
                (second.held - first.held) / 1e6, second.net / 1e6);
    ASSERT_NE(child.code, 1) << "the first run, at its edge, was refused";
    EXPECT_EQ(child.code, 0) << "the same run again was refused: it needed " << second.net << " beyond its room with "
                             << first.net - (second.held - first.held) << " left";
}

INSTANTIATE_TEST_SUITE_P(Shapes, RunRepeat, ::testing::ValuesIn(runshapes::Shapes()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
