#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "formats/ini_file.h"

namespace vornik {

// The key groups of a layout file, in the order the shipped files hold them.
enum class LayoutGroup { A, B, C, G, D, E, F, J, K, L, M, Captions };

inline constexpr std::array<LayoutGroup, 12> kLayoutGroupOrder{
    LayoutGroup::A, LayoutGroup::B, LayoutGroup::C, LayoutGroup::G,
    LayoutGroup::D, LayoutGroup::E, LayoutGroup::F, LayoutGroup::J,
    LayoutGroup::K, LayoutGroup::L, LayoutGroup::M, LayoutGroup::Captions};

struct LayoutKey {
    std::string name;
    LayoutGroup group;
    bool read;  // false: the files carry it, the program never looks at it
};

// Every key a layout file may hold, in the order of the shipped ORG1.
const std::vector<LayoutKey>& layoutSchema();
// The names of the keys the layout pass (and the dialogs) read, in schema order.
std::vector<std::string> layoutKeysRead();
// Keys the files carry that nothing reads: Btn_B12_*, Size_K and group M.
std::vector<std::string> layoutKeysIgnored();
// The group of a key, matched without regard to case; nullopt for a key of no group.
std::optional<LayoutGroup> layoutGroupOf(std::string_view key);

// A button key set: "<key>_Enable/_X/_Y" drive "Img_<role>_<n>" and "Btn_<role>_<n>" on
// pages 1 to 4.
struct ButtonKeySet {
    const char* key;
    const char* role;
};
// Group A, in file order: Confirm, Apply, Read, Confirm1, Confirm2, Confirm3, Exit, Minimize.
extern const std::array<ButtonKeySet, 8> kWindowButtonSets;
// Group B, in file order: the five page buttons, Save, Load and the three languages.
extern const std::array<ButtonKeySet, 10> kPageButtonSets;

// A caption family "<family>_Lable_X/_Y/_R/_G/_B/_Size/_Width" and the labels it drives.
struct CaptionFamily {
    const char* family;
    std::array<const char*, 2> labels;  // the second may be null
};
// The seven-key families in file order, ComboKey1..3 among them (ORG1 and ORG2 only). The
// LED_Mode_1..7 keys and the shared LED_Mode_Option and DPI keys are not families of seven.
extern const std::array<CaptionFamily, 42> kCaptionFamilies;

// "org<n>", the section of layout n.
std::string layoutSection(int layoutNo);
// The embedded layout file "ORG<n>" (n = 1..3) parsed; empty for any other n.
const IniFile& embeddedLayout(int layoutNo);

}  // namespace vornik
