#pragma once

#include <filesystem>
#include <string>

#include "device/protocol.h"
#include "image/memory_map.h"
#include "image/sections.h"
#include "image/write_verify.h"

namespace vornik {

// What the window does around a device operation. The GUI implements it; the command-line tool
// and the tests take the defaults or record the calls.
class FlowHooks {
  public:
    virtual ~FlowHooks() = default;
    virtual void setDevTimer(bool on) { (void)on; }
    virtual void lockPages() {}
    virtual void unlockPages() {}
    virtual void showLoadingWindow() {}
    virtual void hideLoadingWindow() {}
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

// The configuration the window owns: the image and its working copies.
struct ImageSession {
    ConfigImage DataBuf{};
    Sections sections;
    RepairReport lastRepairs;
    // The image came from a read that did not complete: what is missing reads 0xFF or as the
    // repair defaults, so it must not be written back. The next image split in clears it.
    bool incomplete = false;
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
};
const char* skipReasonText(SkipReason reason);

// Whether the two commands that end configuration mode were acknowledged. A refused command 8
// may leave the mouse on its old configuration, a refused command 2 in configuration mode.
struct LeaveResult {
    bool entered = false;  // command 1 was acknowledged, so 8 and 2 were sent
    bool reloadAcknowledged = false;
    bool leaveAcknowledged = false;
    bool refused() const { return entered && !(reloadAcknowledged && leaveAcknowledged); }
};

struct WriteOutcome {
    WriteResult result = WriteResult::NotWritten;
    SkipReason reason = SkipReason::None;
    std::uint8_t statusByte = 0;  // reply byte 1 of the status query
    int chipType = 0;
    VerifyRecord verify;
    LeaveResult leave;
};

// The image flows that read or write the whole configuration memory; Qt-free, run by the window
// and by vornikctl.
class ImageFlows {
  public:
    ImageFlows(CommandProtocol& protocol, Clock& clock, FlowHooks& hooks, MessageSink& messages,
               ImageSession& session);

    // Splits DataBuf into the working copies with the integrity checks; the image is taken as
    // complete.
    RepairReport split();

    // The full read, inside configuration mode (commands 1 and 3 already sent): the image,
    // the split, commands 8 and 2. False when the read did not complete (a chunk was not
    // returned, or the block ended early: see the protocol's lastBlock()); the split still ran
    // on what arrived, and the image is marked incomplete.
    bool Btn_Read();

    // Commands 8 and 2, which end every stay in configuration mode.
    LeaveResult leaveConfigMode();
    // What the last leaveConfigMode() found.
    const LeaveResult& lastLeave() const { return m_lastLeave; }

    // Shows DataBuf in the pages and writes it, as loaded, to a mouse that reports ready with
    // ChipType 0x98.
    WriteOutcome MemoToDataBuf_OnClick();

    // Inside the device operation frame: commands 1 and 3 with the status tests, the verified
    // write of DataBuf (when `needChip98`, only to chip type 0x98), then commands 8 and 2.
    WriteOutcome writeImage(bool needChip98);

    // Restores default image `fileName` (looked up with `prefix`; the built-in image when there
    // is no such file). A file that is there but cannot be read is reported and nothing is
    // written. `fromFile` (when given) tells whether the file was used.
    WriteOutcome TLDefaultParameter(const std::string& prefix, const std::string& fileName,
                                    bool* fromFile = nullptr);

  private:
    CommandProtocol& m_protocol;
    Clock& m_clock;
    FlowHooks& m_hooks;
    MessageSink& m_messages;
    ImageSession& m_session;
    LeaveResult m_lastLeave;
};

}  // namespace vornik
