#include "model/config_flows.h"

#include "formats/language_keys.h"
#include "image/defaults.h"

namespace vornik {

const char* skipReasonText(SkipReason reason) {
    switch (reason) {
        case SkipReason::None:
            return "";
        case SkipReason::EnterRefused:
            return "the mouse did not acknowledge command 1";
        case SkipReason::StatusRefused:
            return "the mouse did not acknowledge the status query";
        case SkipReason::NotReady:
            return "the mouse is not ready (status byte 1 is not 0xAA)";
        case SkipReason::EepromNotReady:
            return "the mouse's memory is not ready";
        case SkipReason::WrongChip:
            return "the mouse's chip type is not 0x98";
        case SkipReason::FileUnreadable:
            return "the image file could not be read";
        case SkipReason::SnapshotFailed:
            return "the mouse's image could not be kept as a snapshot first";
    }
    return "";
}

SkipReason skipReasonOf(EntryProblem problem) {
    switch (problem) {
        case EntryProblem::None:
            return SkipReason::None;
        case EntryProblem::EnterRefused:
            return SkipReason::EnterRefused;
        case EntryProblem::StatusRefused:
            return SkipReason::StatusRefused;
        case EntryProblem::NotReady:
            return SkipReason::NotReady;
        case EntryProblem::EepromNotReady:
            return SkipReason::EepromNotReady;
    }
    return SkipReason::None;
}

ImageFlows::ImageFlows(DeviceSession& device, FlowHooks& hooks, MessageSink& messages,
                       ConfigModel& model)
    : m_protocol(device.protocol()),
      m_clock(device.clock()),
      m_hooks(hooks),
      m_messages(messages),
      m_model(model) {}

RepairReport ImageFlows::split() { return m_model.loadFromImage(m_hooks.splitHooks()); }

bool ImageFlows::readImage(ConfigModeScope& scope) {
    OperationFrame frame(m_hooks, m_clock);
    if (auto* observer = m_protocol.observer())
        observer->transferPhase(TransferPhase::Read, chunkCount(kImageSize));
    const bool complete = m_protocol.readBlock(0, kImageSize, m_model.image().bytes) &&
                          m_protocol.lastBlockFailedChunks() == 0;
    if (complete)
        m_mouseImage = m_model.image().bytes;
    else
        m_mouseImage.reset();
    split();
    if (!complete) m_model.markIncomplete();
    m_lastLeave = scope.leave();
    m_hooks.dataBufToUI();
    m_hooks.showMainAfterRead();
    return complete;
}

WriteOutcome ImageFlows::writeImage(bool needChip98) {
    WriteOutcome outcome;
    ConfigModeScope scope(m_protocol);
    if (scope.statusAcknowledged()) {
        outcome.statusByte = scope.statusReply()[1];
        outcome.chipType = m_protocol.chipType();
    }
    if (!scope.ready())
        outcome.reason = skipReasonOf(scope.problem());
    else if (needChip98 && m_protocol.chipType() != 0x98)
        outcome.reason = SkipReason::WrongChip;
    else if (!keepSnapshot())
        outcome.reason = SkipReason::SnapshotFailed;
    else {
        outcome.result =
            writeAndVerify(m_protocol, m_model.image().bytes, m_messages, &outcome.verify);
        // A write that failed part way leaves the image known before it: the snapshot just
        // kept is the way back, and the next write keeps no other.
        if (outcome.result == WriteResult::Verified) m_mouseImage = m_model.image().bytes;
    }
    // Whatever happened, the mouse leaves configuration mode once it entered it.
    outcome.leave = m_lastLeave = scope.leave();
    return outcome;
}

bool ImageFlows::readMouseImage(ConfigImage& image) {
    OperationFrame frame(m_hooks, m_clock);
    ConfigModeScope scope(m_protocol);
    bool complete = false;
    if (scope.ready()) {
        if (auto* observer = m_protocol.observer())
            observer->transferPhase(TransferPhase::Read, chunkCount(kImageSize));
        complete =
            m_protocol.readBlock(0, kImageSize, image) && m_protocol.lastBlockFailedChunks() == 0;
        if (complete) m_mouseImage = image;
    }
    m_lastLeave = scope.leave();
    return complete;
}

void ImageFlows::requireSnapshots(std::unique_ptr<SnapshotStore> store, std::string why) {
    m_snapshotsRequired = true;
    m_snapshots = std::move(store);
    m_noSnapshotsReason = std::move(why);
}

bool ImageFlows::keepSnapshot() {
    if (!m_snapshotsRequired) return true;
    std::string error;
    if (!m_snapshots) {
        error =
            m_noSnapshotsReason.empty() ? "there is no folder for snapshots" : m_noSnapshotsReason;
    } else {
        if (!m_mouseImage) {
            // Nothing read yet (a restore straight from the command line) or the last read did
            // not complete: what the mouse holds now is what the snapshot must keep.
            ConfigImage held{};
            if (auto* observer = m_protocol.observer())
                observer->transferPhase(TransferPhase::Read, chunkCount(kImageSize));
            if (m_protocol.readBlock(0, kImageSize, held) &&
                m_protocol.lastBlockFailedChunks() == 0)
                m_mouseImage = held;
            else
                error = "the mouse's present image could not be read completely";
        }
        if (m_mouseImage && m_snapshots->keep(*m_mouseImage, error)) return true;
    }
    m_messages.errorMessage(
        "Nothing was written to the mouse: its present configuration could "
        "not be kept as a snapshot (" +
        error + ").");
    return false;
}

WriteOutcome ImageFlows::writeLoadedImage() {
    split();
    m_hooks.dataBufToUI();
    OperationFrame frame(m_hooks, m_clock);
    return writeImage(true);
}

WriteOutcome ImageFlows::restoreDefaultImage(const std::string& prefix, const std::string& fileName,
                                             bool* fromFile) {
    m_hooks.hideAllMenu();
    OperationFrame frame(m_hooks, m_clock);
    std::string error;
    if (!loadDefaultImage(prefix, fileName, m_model.image().bytes, error, fromFile)) {
        // Writing the built-in image instead would restore something the user did not choose.
        m_messages.errorMessage(error);
        WriteOutcome outcome;
        outcome.reason = SkipReason::FileUnreadable;
        return outcome;
    }
    m_hooks.clearProfileCodes();
    return writeLoadedImage();
}

BlockWriteOutcome ImageFlows::writeBlocks(std::initializer_list<Block> blocks) {
    BlockWriteOutcome outcome;
    OperationFrame frame(m_hooks, m_clock);
    // Without the 0xAA answer nothing more is sent.
    ConfigModeScope scope(m_protocol, {true, false, false});
    if (!scope.ready()) {
        outcome.reason = skipReasonOf(scope.problem());
        return outcome;
    }
    if (!m_protocol.eepromReady()) {
        outcome.reason = SkipReason::EepromNotReady;
    } else if (m_protocol.chipType() != 0x98) {
        outcome.reason = SkipReason::WrongChip;
    } else if (!keepSnapshot()) {
        outcome.reason = SkipReason::SnapshotFailed;
    } else {
        outcome.written = true;
        for (const Block& block : blocks) {
            if (!m_protocol.writeBlock(
                    block.address, static_cast<std::uint16_t>(block.bytes.size()), block.bytes)) {
                outcome.written = false;
                break;
            }
        }
        // A block that did not go through leaves the mouse's image unknown.
        if (outcome.written && m_mouseImage) {
            for (const Block& block : blocks)
                std::copy(block.bytes.begin(), block.bytes.end(),
                          m_mouseImage->begin() + block.address);
        } else if (!outcome.written) {
            m_mouseImage.reset();
        }
    }
    outcome.leave = m_lastLeave = scope.leave();
    return outcome;
}

BlockWriteOutcome ImageFlows::confirmFire() {
    m_model.commitFire();
    const Sections& s = m_model.sections();
    const BlockWriteOutcome outcome =
        writeBlocks({{section::kFireCode.address, s.fireCode},
                     {section::kFireOffset.address, s.fireOffset},
                     {section::kFireColor.address, s.fireColor},
                     {section::kFireMacroRegion.address, s.fireMacroRegion}});
    if (!outcome.written || outcome.leave.refused()) m_messages.messageDialog(textkey::kFail);
    return outcome;
}

BlockWriteOutcome ImageFlows::importBaseMacros(
    std::span<const std::uint8_t, section::kMacroSlots1To4.size> slots1To4) {
    m_hooks.hideAllMenu();
    m_model.importMacroSlots1To4(slots1To4);
    const BlockWriteOutcome outcome =
        writeBlocks({{section::kMacroSlots1To4.address, m_model.sections().macroSlots1To4}});
    if (!outcome.written || outcome.leave.refused()) m_messages.messageDialog(textkey::kFail);
    return outcome;
}

}  // namespace vornik
