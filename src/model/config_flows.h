#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "device/protocol.h"
#include "image/memory_map.h"
#include "image/sections.h"
#include "image/write_verify.h"
#include "model/config_model.h"
#include "model/device_session.h"
#include "model/operation_frame.h"
#include "model/snapshots.h"

namespace vornik {

// What the window does around and after the image flows, beside the operation frame.
class FlowHooks : public FrameHooks {
  public:
    virtual void hideAllMenu() {}
    // Fill every control from the working copies.
    virtual void dataBufToUI() {}
    // Leave the no-device state once a read is done.
    virtual void showMainAfterRead() {}
    // Empty the 18 profile code texts.
    virtual void clearProfileCodes() {}
    // Where later layers decode and encode what the image only carries.
    virtual SplitHooks splitHooks() { return {}; }
};

// Why a write did not happen.
enum class SkipReason {
    None,
    EnterRefused,
    StatusRefused,
    NotReady,
    EepromNotReady,
    WrongChip,
    FileUnreadable,  // the image to write could not be read; the error message named the file
    SnapshotFailed,  // the mouse's image could not be kept first; the error message said why
};
const char* skipReasonText(SkipReason reason);
SkipReason skipReasonOf(EntryProblem problem);

struct WriteOutcome {
    WriteResult result = WriteResult::NotWritten;
    SkipReason reason = SkipReason::None;
    std::uint8_t statusByte = 0;  // reply byte 1 of the status query
    int chipType = 0;
    VerifyRecord verify;
    LeaveResult leave;
};

// What became of a write of some blocks (Fire Confirm, the base macro import).
struct BlockWriteOutcome {
    bool written = false;  // every block was acknowledged
    SkipReason reason = SkipReason::None;
    LeaveResult leave;
};

// The image flows that read or write the whole configuration memory; Qt-free, run by the window
// and by vornikctl.
class ImageFlows {
  public:
    ImageFlows(DeviceSession& device, FlowHooks& hooks, MessageSink& messages, ConfigModel& model);

    // Loads the image into the model: the working copies with the integrity checks, the codes and
    // the values; the image is taken as complete.
    RepairReport split();

    // The full read inside the configuration mode `scope` entered: the image, the split, then
    // the scope left (commands 8 and 2). False when the read did not complete (a chunk was not
    // returned, or the block ended early: see the protocol's lastBlock()); the split still ran
    // on what arrived, and the image is marked incomplete.
    bool readImage(ConfigModeScope& scope);

    // From now on every write first keeps the image the mouse holds in `store`, and a write
    // whose snapshot cannot be kept does not happen. A null store (the user's state folder is
    // not known) refuses every write, saying `why`.
    void requireSnapshots(std::unique_ptr<SnapshotStore> store, std::string why = {});
    const SnapshotStore* snapshots() const { return m_snapshots.get(); }

    // What the mouse holds as far as these flows know: the image of the last complete read or
    // of the last verified write; nullopt before either, and after a read that did not
    // complete.
    const std::optional<ConfigImage>& mouseImage() const { return m_mouseImage; }

    // Inside the device operation frame: configuration mode with the status checks, the whole
    // image read into `image` (the model is not touched), then leaving it. False when the mouse
    // was not ready or the read did not complete.
    bool readMouseImage(ConfigImage& image);

    // What the last stay in configuration mode of these flows ended with.
    const LeaveResult& lastLeave() const { return m_lastLeave; }

    // Shows the image in the pages and writes it, as loaded, to a mouse that reports ready with
    // ChipType 0x98.
    WriteOutcome writeLoadedImage();

    // Inside the device operation frame: configuration mode with the status checks, the
    // verified write of the image (when `needChip98`, only to chip type 0x98), then leaving it.
    WriteOutcome writeImage(bool needChip98);

    // Restores default image `fileName` (looked up with `prefix`; the built-in image when there
    // is no such file). A file that is there but cannot be read is reported and nothing is
    // written. `fromFile` (when given) tells whether the file was used.
    WriteOutcome restoreDefaultImage(const std::string& prefix, const std::string& fileName,
                                     bool* fromFile = nullptr);

    // Fire Confirm: the fire work copy committed, then inside the device operation frame the
    // fire code, offset and colour sections and the committed fire region written to a mouse
    // that answers 0xAA and reports its memory ready with chip type 0x98; reload and leave
    // after any 0xAA answer. A mouse that did not take the fire data is told with Str109, so
    // that the user does not believe the preset is in the mouse.
    BlockWriteOutcome confirmFire();

    // Base macro import: `slots1To4` (a raw copy of macro slots 1-4) replaces the model's, the
    // slots that fail their check are emptied, and the copy is written straight to the mouse at
    // 0x100 (to a mouse that answers 0xAA and reports its memory ready with chip type 0x98),
    // then reload and leave. Str109 when the mouse did not take it.
    BlockWriteOutcome importBaseMacros(
        std::span<const std::uint8_t, section::kMacroSlots1To4.size> slots1To4);

  private:
    // Inside configuration mode, before a write: keeps the mouse's image (read first when it
    // is not known). False, with the reason shown, when the write must not happen.
    bool keepSnapshot();
    // Inside the device operation frame: the blocks written to a mouse that answers 0xAA and
    // reports its memory ready with chip type 0x98, after the snapshot; reload and leave after
    // any 0xAA answer. What the mouse holds is known to hold them afterwards.
    struct Block {
        std::uint16_t address;
        std::span<const std::uint8_t> bytes;
    };
    BlockWriteOutcome writeBlocks(std::initializer_list<Block> blocks);

    CommandProtocol& m_protocol;
    Clock& m_clock;
    FlowHooks& m_hooks;
    MessageSink& m_messages;
    ConfigModel& m_model;
    LeaveResult m_lastLeave;
    std::optional<ConfigImage> m_mouseImage;
    bool m_snapshotsRequired = false;
    std::unique_ptr<SnapshotStore> m_snapshots;
    std::string m_noSnapshotsReason;
};

}  // namespace vornik
