#include "model/config_flows.h"

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
    }
    return "";
}

ImageFlows::ImageFlows(CommandProtocol& protocol, Clock& clock, FlowHooks& hooks,
                       MessageSink& messages, ImageSession& session)
    : m_protocol(protocol),
      m_clock(clock),
      m_hooks(hooks),
      m_messages(messages),
      m_session(session) {}

RepairReport ImageFlows::split() {
    m_session.incomplete = false;
    m_session.lastRepairs =
        SplitDataBuf(m_session.DataBuf, m_session.sections, m_hooks.splitHooks());
    return m_session.lastRepairs;
}

bool ImageFlows::Btn_Read() {
    m_hooks.setDevTimer(false);
    m_hooks.lockPages();
    m_hooks.showLoadingWindow();
    if (auto* observer = m_protocol.observer())
        observer->transferPhase(TransferPhase::Read, chunkCount(kImageSize));
    const bool complete = m_protocol.ReadBlock(0, kImageSize, m_session.DataBuf) &&
                          m_protocol.lastBlockFailedChunks() == 0;
    split();
    m_session.incomplete = !complete;
    leaveConfigMode();
    m_hooks.dataBufToUI();
    m_hooks.showMainAfterRead();
    m_hooks.hideLoadingWindow();
    m_clock.processEvents();
    m_hooks.setDevTimer(true);
    m_hooks.unlockPages();
    return complete;
}

LeaveResult ImageFlows::leaveConfigMode() {
    m_lastLeave.entered = true;
    m_lastLeave.reloadAcknowledged = m_protocol.SendCmd(cmd::kReload);
    m_lastLeave.leaveAcknowledged = m_protocol.SendCmd(cmd::kLeaveConfig);
    return m_lastLeave;
}

WriteOutcome ImageFlows::writeImage(bool needChip98) {
    WriteOutcome outcome;
    if (!m_protocol.SendCmd(cmd::kEnterConfig)) {
        outcome.reason = SkipReason::EnterRefused;
        return outcome;
    }
    m_protocol.EepromReady = false;
    if (!m_protocol.SendCmd(cmd::kStatus)) {
        outcome.reason = SkipReason::StatusRefused;
    } else {
        outcome.statusByte = m_protocol.FeatureReport[1];
        outcome.chipType = m_protocol.ChipType;
        if (outcome.statusByte != kStatusReady)
            outcome.reason = SkipReason::NotReady;
        else if (!m_protocol.EepromReady)
            outcome.reason = SkipReason::EepromNotReady;
        else if (needChip98 && m_protocol.ChipType != 0x98)
            outcome.reason = SkipReason::WrongChip;
        else
            outcome.result =
                WriteAndVerify(m_protocol, m_session.DataBuf, m_messages, &outcome.verify);
    }
    // Whatever happened, the mouse leaves configuration mode once it entered it.
    outcome.leave = leaveConfigMode();
    return outcome;
}

WriteOutcome ImageFlows::MemoToDataBuf_OnClick() {
    split();
    m_hooks.dataBufToUI();
    m_hooks.setDevTimer(false);
    m_hooks.lockPages();
    m_hooks.showLoadingWindow();

    const WriteOutcome outcome = writeImage(true);

    m_hooks.hideLoadingWindow();
    m_clock.processEvents();
    m_hooks.setDevTimer(true);
    m_hooks.unlockPages();
    return outcome;
}

WriteOutcome ImageFlows::TLDefaultParameter(const std::string& prefix, const std::string& fileName,
                                            bool* fromFile) {
    m_hooks.hideAllMenu();
    m_hooks.setDevTimer(false);
    m_hooks.showLoadingWindow();
    std::string error;
    WriteOutcome outcome;
    if (LoadDefaultImage(prefix, fileName, m_session.DataBuf, error, fromFile)) {
        m_hooks.clearProfileCodes();
        outcome = MemoToDataBuf_OnClick();
    } else {
        // Writing the built-in image instead would restore something the user did not choose.
        m_messages.errorMessage(error);
        outcome.reason = SkipReason::FileUnreadable;
    }
    m_hooks.hideLoadingWindow();
    m_clock.processEvents();
    m_hooks.setDevTimer(true);
    return outcome;
}

}  // namespace vornik
