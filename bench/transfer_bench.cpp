// Full-image block read, write and verified write against the simulated mouse with real sleeps,
// each beside its protocol floor: the sum of the sleeps the exchanges that ran asked for.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

#include "device/native_platform.h"
#include "device/protocol.h"
#include "device/sim/sim_hid_platform.h"
#include "image/write_verify.h"

namespace {

using namespace vornik;

// The platform's real clock, counting what it is asked to sleep.
class FloorClock : public Clock {
  public:
    explicit FloorClock(Clock& real) : m_real(real) {}
    std::uint64_t nowMs() override { return m_real.nowMs(); }
    void sleepMs(unsigned ms) override {
        m_floorMs += ms;
        m_real.sleepMs(ms);
    }
    void processEvents() override { m_real.processEvents(); }
    void beginTransfer() override { m_real.beginTransfer(); }
    void endTransfer() override { m_real.endTransfer(); }
    std::uint64_t takeFloor() { return std::exchange(m_floorMs, 0); }

  private:
    Clock& m_real;
    std::uint64_t m_floorMs = 0;
};

struct QuietMessages : MessageSink {
    void messageDialog(std::string_view) override {}
    void errorMessage(std::string_view) override {}
};

double timeMs(const std::function<bool()>& work, bool& ok) {
    const auto start = std::chrono::steady_clock::now();
    ok = work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 3;
    auto real = createNativeClock();
    FloorClock clock(*real);
    SimHidPlatform platform;
    auto mouse = plugDefaultMouse(platform);
    DeviceLink link(platform);
    std::uint32_t version = kMouseVersion;
    if (!link.openMouse(kMouseVendorId, kMouseProductId, version)) return 1;
    CommandProtocol protocol(link, clock);
    if (!protocol.sendCommand(cmd::kEnterConfig)) return 1;

    std::vector<std::uint8_t> image(2048);
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 13);
    std::vector<std::uint8_t> back(2048);
    std::printf("%-22s %10s %10s %7s\n", "transfer (2048 bytes)", "time ms", "floor ms", "ratio");
    bool allOk = true;
    for (int run = 0; run < runs; ++run) {
        struct Row {
            const char* name;
            std::function<bool()> work;
        } rows[] = {
            {"WriteBlock", [&] { return protocol.writeBlock(0, 2048, image); }},
            {"ReadBlock", [&] { return protocol.readBlock(0, 2048, back); }},
            {"WriteAndVerify",
             [&] {
                 ConfigImage full{};
                 std::copy(image.begin(), image.end(), full.begin());
                 QuietMessages quiet;
                 return writeAndVerify(protocol, full, quiet) == WriteResult::Verified;
             }},
        };
        for (auto& row : rows) {
            clock.takeFloor();
            bool ok = false;
            const double ms = timeMs(row.work, ok);
            const auto floor = clock.takeFloor();
            allOk &= ok;
            std::printf("%-22s %10.1f %10llu %7.3f%s\n", row.name, ms,
                        static_cast<unsigned long long>(floor), ms / static_cast<double>(floor),
                        ok ? "" : "  FAILED");
        }
        allOk &= back == image;
    }
    protocol.sendCommand(cmd::kLeaveConfig);
    if (!allOk) std::printf("the image read back differs from the one written\n");
    return allOk ? 0 : 1;
}
