#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "image/memory_map.h"

namespace vornik {

// Where the bytes of two images differ, grouped by the region of the memory map they lie in.
struct RegionDifference {
    std::string region;  // "ProfileSection", "macro slot 3", "unused bytes", …
    std::size_t count = 0;
    std::vector<std::uint16_t> firstAddresses;  // at most the first few, ascending
};
struct ImageDifference {
    std::size_t count = 0;                  // bytes that differ
    std::vector<RegionDifference> regions;  // in address order of their first difference

    bool empty() const { return count == 0; }
};
ImageDifference imageDifference(const ConfigImage& from, const ConfigImage& to,
                                std::size_t addressesPerRegion = 4);
// "no difference", or e.g. "3 bytes differ: profile 2 (0x041, 0x044), macro slot 1 1
// (0x100)".
std::string differenceText(const ImageDifference& difference);

inline constexpr std::size_t kSnapshotsKept = 20;

using TimeSource = std::function<std::chrono::system_clock::time_point()>;

struct Snapshot {
    int number = 0;  // 1 is the newest
    std::filesystem::path file;
    std::chrono::system_clock::time_point time;  // from the name, to the second
    // Against the image given to list(); nullopt without one, or when the file cannot be read
    // (`problem` says why).
    std::optional<ImageDifference> difference;
    std::string problem;
};

// The images the mouse held before writes, kept as profile files (2048 bytes) in a folder of
// their own, named by UTC time ("20261210T121530Z-00.bin": sortable, and the two-digit count
// keeps names unique within a second). The newest `keep` are kept.
class SnapshotStore {
  public:
    SnapshotStore(std::filesystem::path folder, TimeSource now, std::size_t keep = kSnapshotsKept);

    // Keeps `image` (the mouse's content from the last complete read) before a write to the
    // mouse; the folder is created when missing. When the newest snapshot holds the same
    // bytes no second copy is made. Returns the snapshot's file; nullopt with `error` when it
    // could not be written, and the caller then writes nothing to the mouse. Older snapshots
    // beyond the newest `keep` are removed afterwards.
    std::optional<std::filesystem::path> keep(const ConfigImage& image, std::string& error);

    // The snapshots, newest first and numbered from 1; each compared with `current` when
    // given. A missing folder is an empty list; other files in the folder are left alone.
    std::vector<Snapshot> list(const std::optional<ConfigImage>& current, std::string& error) const;

    // Snapshot `number` of list(); nullopt with `error` for a number out of range or a file
    // that cannot be read.
    std::optional<ConfigImage> load(int number, std::string& error) const;

    const std::filesystem::path& folder() const { return m_folder; }

  private:
    // Snapshot files, newest first.
    std::vector<std::filesystem::path> files(std::string& error) const;

    std::filesystem::path m_folder;
    TimeSource m_now;
    std::size_t m_keep;
};

}  // namespace vornik
