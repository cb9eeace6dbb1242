#include "model/snapshots.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "image/atomic_file.h"

namespace vornik {

namespace fs = std::filesystem;
using std::chrono::system_clock;

namespace {

const char* regionName(std::size_t address) {
    const NamedRegion* region = regionAt(address);
    return region ? region->name : "unused bytes";
}

std::string hexAddress(std::uint16_t address) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%03X", address);
    return text;
}

constexpr std::size_t kNameLength = 23;  // 20261210T121530Z-00.bin
constexpr int kMaxPerSecond = 100;

std::string snapshotName(system_clock::time_point time, int count) {
    const auto seconds = std::chrono::floor<std::chrono::seconds>(time);
    const auto day = std::chrono::floor<std::chrono::days>(seconds);
    const std::chrono::year_month_day date{day};
    const std::chrono::hh_mm_ss clock{seconds - day};
    char name[64];
    std::snprintf(name, sizeof name, "%04d%02u%02uT%02d%02d%02dZ-%02d.bin",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(clock.hours().count()),
                  static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()), count);
    return name;
}

std::optional<system_clock::time_point> snapshotTime(const std::string& name) {
    if (name.size() != kNameLength) return std::nullopt;
    for (std::size_t i = 0; i < kNameLength; ++i) {
        const char c = name[i];
        const bool fixed = i == 8 || i == 15 || i == 16 || i >= 19;
        if (!fixed && (c < '0' || c > '9')) return std::nullopt;
    }
    if (name[8] != 'T' || name.compare(15, 2, "Z-") != 0 || name.compare(19, 4, ".bin") != 0)
        return std::nullopt;
    auto number = [&](std::size_t at, std::size_t digits) {
        return std::stoi(name.substr(at, digits));
    };
    const std::chrono::year_month_day date{std::chrono::year{number(0, 4)},
                                           std::chrono::month{static_cast<unsigned>(number(4, 2))},
                                           std::chrono::day{static_cast<unsigned>(number(6, 2))}};
    if (!date.ok() || number(9, 2) > 23 || number(11, 2) > 59 || number(13, 2) > 59)
        return std::nullopt;
    return std::chrono::sys_days{date} + std::chrono::hours{number(9, 2)} +
           std::chrono::minutes{number(11, 2)} + std::chrono::seconds{number(13, 2)};
}

std::optional<ConfigImage> readSnapshot(const fs::path& file, std::string& error) {
    std::uintmax_t size = 0;
    const auto bytes = readFilePrefix(file, kImageSize, error, &size);
    if (!bytes) return std::nullopt;
    if (size != kImageSize) {
        error = "\"" + file.string() + "\" is not a 2048-byte image (" + std::to_string(size) +
                " bytes)";
        return std::nullopt;
    }
    ConfigImage image{};
    std::copy(bytes->begin(), bytes->end(), image.begin());
    return image;
}

}  // namespace

ImageDifference imageDifference(const ConfigImage& from, const ConfigImage& to,
                                std::size_t addressesPerRegion) {
    ImageDifference out;
    for (std::size_t a = 0; a < kImageSize; ++a) {
        if (from[a] == to[a]) continue;
        ++out.count;
        const char* name = regionName(a);
        auto region = std::find_if(out.regions.begin(), out.regions.end(),
                                   [&](const RegionDifference& r) { return r.region == name; });
        if (region == out.regions.end()) {
            out.regions.push_back({name, 0, {}});
            region = out.regions.end() - 1;
        }
        ++region->count;
        if (region->firstAddresses.size() < addressesPerRegion)
            region->firstAddresses.push_back(static_cast<std::uint16_t>(a));
    }
    return out;
}

std::string differenceText(const ImageDifference& difference) {
    if (difference.empty()) return "no difference";
    std::string text = std::to_string(difference.count) +
                       (difference.count == 1 ? " byte differs:" : " bytes differ:");
    for (std::size_t i = 0; i < difference.regions.size(); ++i) {
        const RegionDifference& r = difference.regions[i];
        text += (i == 0 ? " " : ", ") + r.region + " " + std::to_string(r.count) + " (";
        for (std::size_t k = 0; k < r.firstAddresses.size(); ++k)
            text += (k == 0 ? "" : ", ") + hexAddress(r.firstAddresses[k]);
        text += r.count > r.firstAddresses.size() ? ", …)" : ")";
    }
    return text;
}

SnapshotStore::SnapshotStore(fs::path folder, TimeSource now, std::size_t keep)
    : m_folder(std::move(folder)), m_now(std::move(now)), m_keep(std::max<std::size_t>(keep, 1)) {}

std::vector<fs::path> SnapshotStore::files(std::string& error) const {
    std::vector<fs::path> out;
    std::error_code ec;
    if (!fs::exists(m_folder, ec)) return out;
    for (fs::directory_iterator it(m_folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (snapshotTime(name) && it->is_regular_file(typeError)) out.push_back(it->path());
    }
    if (ec) error = "cannot list the snapshots in \"" + m_folder.string() + "\": " + ec.message();
    std::sort(out.begin(), out.end(), [](const fs::path& a, const fs::path& b) {
        return a.filename().string() > b.filename().string();
    });
    return out;
}

std::optional<fs::path> SnapshotStore::keep(const ConfigImage& image, std::string& error) {
    std::error_code ec;
    if (!fs::exists(m_folder, ec) && !fs::create_directories(m_folder, ec)) {
        error = "cannot create the snapshot folder \"" + m_folder.string() + "\": " + ec.message();
        return std::nullopt;
    }
    std::string listError;
    const auto existing = files(listError);
    if (!listError.empty()) {
        error = listError;
        return std::nullopt;
    }
    if (!existing.empty()) {
        std::string ignored;
        if (readSnapshot(existing.front(), ignored) == image) return existing.front();
    }

    // Names must sort as the snapshots were taken: a clock set back to before the newest
    // snapshot counts on within the newest one's second.
    auto time = std::chrono::floor<std::chrono::seconds>(m_now());
    int count = 0;
    if (!existing.empty()) {
        const std::string newest = existing.front().filename().string();
        const auto newestTime = *snapshotTime(newest);
        if (time <= newestTime) {
            time = std::chrono::floor<std::chrono::seconds>(newestTime);
            count = std::stoi(newest.substr(17, 2)) + 1;
        }
    }
    if (count >= kMaxPerSecond) {
        error = "too many snapshots within one second in \"" + m_folder.string() + "\"";
        return std::nullopt;
    }
    const fs::path file = m_folder / snapshotName(time, count);
    if (!writeFileAtomically(file, image, error)) return std::nullopt;

    const auto all = files(listError);
    for (std::size_t i = m_keep; i < all.size(); ++i) fs::remove(all[i], ec);
    return file;
}

std::vector<Snapshot> SnapshotStore::list(const std::optional<ConfigImage>& current,
                                          std::string& error) const {
    std::vector<Snapshot> out;
    const auto all = files(error);
    for (std::size_t i = 0; i < all.size(); ++i) {
        Snapshot s;
        s.number = static_cast<int>(i) + 1;
        s.file = all[i];
        s.time = *snapshotTime(all[i].filename().string());
        if (current) {
            if (const auto image = readSnapshot(all[i], s.problem))
                s.difference = imageDifference(*image, *current);
        }
        out.push_back(std::move(s));
    }
    return out;
}

std::optional<ConfigImage> SnapshotStore::load(int number, std::string& error) const {
    const auto all = files(error);
    if (!error.empty()) return std::nullopt;
    if (number < 1 || static_cast<std::size_t>(number) > all.size()) {
        error = "there is no snapshot " + std::to_string(number) + " (" +
                std::to_string(all.size()) + " kept in \"" + m_folder.string() + "\")";
        return std::nullopt;
    }
    return readSnapshot(all[static_cast<std::size_t>(number) - 1], error);
}

}  // namespace vornik
