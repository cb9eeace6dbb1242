#include "image/text_lookup.h"

#include <utility>

namespace vornik {

namespace {

constexpr std::pair<std::string_view, std::string_view> kEnglish[] = {
    {"Str020", "Finding the specified device"},
    {"Str100", "No Device Found"},
    {"Str101", "Please check your device is attached to USB port"},
    {"Str107", "The mouse manufacturer or product id error"},
    {"Str109", "Fail"},
    {"Str210", "Left Key"},
    {"Str211", "Right Key"},
    {"Str212", "Middle Key"},
    {"Str213", "Back"},
    {"Str214", "Forward"},
    {"Str220", "Fire Key"},
    {"Str221", "LED Switch"},
    {"Str222", "AIM Key"},
    {"Str223", "Gun Key Fn"},
    {"Str224", "Key Off"},
    {"Str225", "KB Switch Key"},
    {"Str226", "LED Switch Key"},
    {"Str231", "DPI Loop"},
    {"Str232", "DPI +"},
    {"Str233", "DPI -"},
    {"Str240", "My Computer"},
    {"Str241", "Calculator"},
    {"Str242", "E-Mail"},
    {"Str243", "Desktop"},
    {"Str250", "Play/Pause"},
    {"Str251", "Stop"},
    {"Str252", "Previous Track"},
    {"Str253", "Next Track"},
    {"Str254", "Volume +"},
    {"Str255", "Volume -"},
    {"Str256", "Mute"},
    {"Str260", "Home"},
    {"Str261", "Search"},
    {"Str262", "www Back"},
    {"Str263", "www Forward"},
    {"Str264", "Stop"},
    {"Str265", "Refresh"},
    {"Str266", "Favorites"},
    {"Str600", "AKM Fire"},
    {"Str601", "M16 Fire"},
    {"Str602", "M4 Fire"},
    {"Str603", "UMP9 Fire"},
    {"Str604", "SCAR-L Fire"},
    {"Str605", "5.56mm Fire"},
    {"Str606", "7.62mm Fire"},
};

}  // namespace

std::string EnglishTexts::text(std::string_view key) const {
    for (const auto& [k, value] : kEnglish)
        if (k == key) return std::string(value);
    return {};
}

}  // namespace vornik
