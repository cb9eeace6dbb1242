#include "app/profile_buttons.h"

#include <QFileInfo>

#include "app/app_session.h"
#include "app/main_window.h"
#include "formats/language_keys.h"
#include "image/atomic_file.h"
#include "image/profile_file.h"
#include "ui/dialogs.h"

namespace vornik {

ProfileButtons::ProfileButtons(AppSession& session, MainWindow& window, ImageFlows& flows,
                               Dialogs& dialogs)
    : m_session(session), m_window(window), m_flows(flows), m_dialogs(dialogs) {}

void ProfileButtons::setPressed(ButtonRole role, bool pressed) {
    for (const CommonPage& page : m_window.commonPages())
        page.button(role).image->setSkin(pressed ? "SetS_03" : roleInfo(role).normalSkin);
}

bool ProfileButtons::begin(ButtonRole role, DeviceSession::Guard& operation) {
    if (!operation.acquired()) return false;
    m_window.hideAllMenu();
    setPressed(role, true);
    if (!m_session.mouseConnected()) {
        m_window.messageBox(textkey::kFindingDevice);
        setPressed(role, false);
        return false;
    }
    if (!operation.holdMouse()) {
        m_window.errorMessage(kMouseInUseText);
        setPressed(role, false);
        return false;
    }
    return true;
}

void ProfileButtons::saveProfile() {
    DeviceSession::Guard operation(m_session.device);
    if (!begin(ButtonRole::Save, operation)) return;
    const auto chosen = m_dialogs.saveFileDialog(&m_window, kSaveFilter);
    if (chosen) {
        const QFileInfo info(*chosen);
        const auto path =
            savePathForChosenName(localPath(info.path()), localPath(info.fileName()).string());
        ConfigImage image{};
        std::string error;
        if (!m_flows.readMouseImage(image))
            m_window.messageDialog(textkey::kFail);
        else if (!saveProfileFile(path, image, error))
            m_window.errorMessage(error);
    }
    setPressed(ButtonRole::Save, false);
}

void ProfileButtons::loadProfile() {
    DeviceSession::Guard operation(m_session.device);
    if (!begin(ButtonRole::Load, operation)) return;
    const auto chosen = m_dialogs.openFileDialog(&m_window, kLoadFilter);
    if (chosen) {
        ImageSession& image = m_session.model.image();
        const bool wasIncomplete = image.incomplete;
        std::uintmax_t size = 0;
        std::string error;
        if (!loadProfileFile(localPath(*chosen), image.bytes, error, &size)) {
            m_window.errorMessage(error);
        } else if (wasIncomplete && size < kImageSize) {
            // The rest would come from the gaps of a read that did not complete.
            m_flows.split();
            image.incomplete = true;
            m_window.dataBufToUI();
            m_window.messageDialog(textkey::kFail);
        } else {
            m_flows.writeLoadedImage();
        }
    }
    setPressed(ButtonRole::Load, false);
}

void ProfileButtons::importBaseMacros() {
    DeviceSession::Guard operation(m_session.device);
    if (!operation.acquired()) return;
    m_window.hideAllMenu();
    if (!m_session.mouseConnected()) {
        m_window.messageBox(textkey::kFindingDevice);
        return;
    }
    if (!operation.holdMouse()) {
        m_window.errorMessage(kMouseInUseText);
        return;
    }
    const auto chosen = m_dialogs.openFileDialog(&m_window, kLoadFilter);
    if (!chosen) return;
    constexpr std::size_t kSize = section::kMacroSlots1To4.size;
    std::string error;
    std::uintmax_t size = 0;
    const auto bytes = readFilePrefix(localPath(*chosen), kSize, error, &size);
    if (!bytes) {
        m_window.errorMessage(error);
        return;
    }
    // A shorter file would leave parts of the slots undefined.
    if (bytes->size() < kSize) {
        m_window.errorMessage(
            QString("\"%1\" holds %2 bytes; a copy of macro slots 1 to 4 holds %3.")
                .arg(*chosen)
                .arg(size)
                .arg(kSize)
                .toStdString());
        return;
    }
    m_flows.importBaseMacros(std::span<const std::uint8_t, kSize>(bytes->data(), kSize));
}

}  // namespace vornik
