#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "cli/vornikctl.h"
#include "device/sim/sim_hid_platform.h"
#include "image/defaults.h"
#include "support/sim_rig.h"

namespace vornik {

namespace fs = std::filesystem;

// vornikctl run in-process on a virtual clock, in a folder of its own that is also the
// program's directory (where default image files are looked for).
class VornikctlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              // A random part as well: test runs of other checkouts may run at the same time.
              ("vornikctl_test_" + std::to_string(std::random_device()()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        state = (dir / "mouse.bin").string();
        snapshotFolder = dir / "snapshots";
    }
    void TearDown() override { fs::remove_all(dir); }

    int run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        CtlEnvironment env{[this] { return makeNative(); }, clock, out, err, (dir / "").string()};
        env.cancellation = cancellation;
        env.progress = progress;
        env.snapshotFolder = snapshotFolder;
        env.snapshots = snapshots;
        return runVornikctl(args, env);
    }
    std::unique_ptr<HidPlatform> makeNative() { return simSystemWithoutMouse(); }
    static std::string imageText(const ConfigImage& image) {
        return std::string(image.begin(), image.end());
    }
    void writeFile(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    // Reproducible bytes that look like nothing in particular.
    static std::string noise(std::size_t n, unsigned seed) {
        std::string bytes(n, '\0');
        std::uint32_t x = seed * 2654435761u + 1;
        for (auto& b : bytes) {
            x ^= x << 13;
            x ^= x >> 17;
            x ^= x << 5;
            b = static_cast<char>(x >> 24);
        }
        return bytes;
    }
    bool has(const std::ostringstream& stream, const std::string& text) const {
        return stream.str().find(text) != std::string::npos;
    }

    fs::path dir;
    std::string state;
    std::optional<fs::path> snapshotFolder;
    bool snapshots = true;
    VirtualClock clock;
    std::ostringstream out;
    std::ostringstream err;
    const Cancellation* cancellation = nullptr;
    bool progress = false;
};

}  // namespace vornik
