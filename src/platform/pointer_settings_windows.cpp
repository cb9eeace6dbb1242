#include "platform/pointer_settings_windows.h"

namespace vornik {

namespace {

using Key = PointerSystemApi::Key;

void addError(std::string& errors, const std::string& error) {
    if (error.empty()) return;
    if (!errors.empty()) errors += "; ";
    errors += error;
}

}  // namespace

WindowsPointerSettingsStore::WindowsPointerSettingsStore(std::unique_ptr<PointerSystemApi> api)
    : m_api(std::move(api)) {}

PointerReading WindowsPointerSettingsStore::read() {
    PointerReading reading;
    const auto mouse =
        m_api->readValues(Key::Mouse, {"MouseSensitivity", "MouseSpeed", "MouseThreshold1",
                                       "MouseThreshold2", "DoubleClickSpeed"});
    if (mouse && mouse->size() == 5) {
        // A missing value reads as an empty text, which the reading rules treat as unreadable.
        auto text = [&](std::size_t i) { return (*mouse)[i].value_or(""); };
        reading.sensitivity = text(0);
        reading.precision = std::array<std::string, 3>{text(1), text(2), text(3)};
        reading.doubleClick = text(4);
    }
    const auto desktop = m_api->readValues(Key::Desktop, {"WheelScrollLines"});
    if (desktop && desktop->size() == 1) reading.wheelLines = desktop->front();
    return reading;
}

bool WindowsPointerSettingsStore::write(const PointerWrite& changes, std::string& error) {
    std::string errors;
    std::vector<std::pair<std::string, std::string>> mouse;
    if (changes.sensitivity)
        mouse.emplace_back("MouseSensitivity", std::to_string(*changes.sensitivity));
    if (changes.precision) {
        mouse.emplace_back("MouseSpeed", std::to_string((*changes.precision)[0]));
        mouse.emplace_back("MouseThreshold1", std::to_string((*changes.precision)[1]));
        mouse.emplace_back("MouseThreshold2", std::to_string((*changes.precision)[2]));
    }
    if (changes.doubleClickMs)
        mouse.emplace_back("DoubleClickSpeed", std::to_string(*changes.doubleClickMs));
    std::string failure;
    if (!mouse.empty() && !m_api->writeValues(Key::Mouse, mouse, failure))
        addError(errors, failure);
    failure.clear();
    if (changes.wheelLines &&
        !m_api->writeValues(Key::Desktop,
                            {{"WheelScrollLines", std::to_string(*changes.wheelLines)}}, failure))
        addError(errors, failure);

    auto call = [&](const PointerSystemApi::SpiCall& spi) {
        std::string spiError;
        if (!m_api->systemParametersInfo(spi, spiError)) addError(errors, spiError);
    };
    if (changes.sensitivity)
        call({kSpiSetMouseSpeed, 0, *changes.sensitivity, std::nullopt, kSpifSendChange});
    if (changes.precision) {
        const auto& p = *changes.precision;  // MouseSpeed, MouseThreshold1, MouseThreshold2
        call({kSpiSetMouse, 0, 0, std::array<int, 3>{p[1], p[2], p[0]}, kSpifSendChange});
    }
    if (changes.doubleClickMs)
        call({kSpiSetDoubleClickTime, static_cast<unsigned>(*changes.doubleClickMs), 0,
              std::nullopt, kSpifSendChange});
    // -1 becomes WHEEL_PAGESCROLL (UINT_MAX): one screen at a time.
    if (changes.wheelLines)
        call({kSpiSetWheelScrollLines, static_cast<unsigned>(*changes.wheelLines), 0, std::nullopt,
              kSpifUpdateIniFile});
    if (errors.empty()) return true;
    error = errors;
    return false;
}

}  // namespace vornik
