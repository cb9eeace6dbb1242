#include "formats/layout_keys.h"

#include <string>
#include <unordered_map>

#include "formats/embedded_resources.h"

namespace vornik {

const std::array<ButtonKeySet, 8> kWindowButtonSets{{
    {"Btn_A1", "Confirm"},
    {"Btn_A2", "Apply"},
    {"Btn_A8", "Read"},
    {"Btn_A3", "Confirm1"},
    {"Btn_A5", "Confirm2"},
    {"Btn_A6", "Confirm3"},
    {"Btn_A4", "Exit"},
    {"Btn_A7", "Mini"},
}};

const std::array<ButtonKeySet, 10> kPageButtonSets{{
    {"Btn_B1", "Main"},
    {"Btn_B2", "Second"},
    {"Btn_B4", "Adv"},
    {"Btn_B5", "Breath"},
    {"Btn_B11", "Macro"},
    {"Btn_B6", "Save"},
    {"Btn_B7", "Load"},
    {"Btn_B8", "Lang1"},
    {"Btn_B9", "Lang2"},
    {"Btn_B10", "Lang3"},
}};

// Each family drives the label that shows the caption of the same subject. The brightness
// options (LED_Light_All/_Half) have no caption key of their own; the two light rows share the
// LED_Mode_<k> keys, as only one of them is ever shown.
const std::array<CaptionFamily, 42> kCaptionFamilies{{
    {"Fire_Key", {"lbl_FireKey", nullptr}},
    {"Fire_Key_Count", {"lbl_Fire_Count", nullptr}},
    {"Fire_Key_Time", {"lbl_Fire_Time", nullptr}},
    {"Fire_Key_Continue", {"lbl_Fire_Continue", nullptr}},
    {"Mouse_Speed", {"lbl_Mouse_Speed", nullptr}},
    {"Mouse_IsControl", {"lbl_Is_Control", nullptr}},
    {"Mouse_Double_Click", {"lbl_Double_Click", nullptr}},
    {"Mouse_Roller_Speed", {"lbl_Roller_Speed", nullptr}},
    {"Mouse_Roll_All_Screen", {"lbl_Roll_All_Screen", nullptr}},
    {"DPI_Setting", {"lbl_DPI_Setting", nullptr}},
    {"DPI_Value", {"lbl_DPI_Value", nullptr}},
    {"DPI_Note", {"lbl_DPI_Note", nullptr}},
    {"LED_Status", {"lbl_LED_Status", nullptr}},
    {"LED_On", {"lbl_LEDOn", nullptr}},
    {"LED_Off", {"lbl_LEDOff", nullptr}},
    {"LCPI_Status", {"lbl_LLED_Status", nullptr}},
    {"LCPI_On", {"lbl_LCPIOn", nullptr}},
    {"LCPI_Off", {"lbl_LCPIOff", nullptr}},
    {"MCPI_Status", {"lbl_MCPI_Status", nullptr}},
    {"MCPI_On", {"lbl_B4CPIOn", nullptr}},
    {"MCPI_Off", {"lbl_B4CPIOff", nullptr}},
    {"LED_Light_Status", {"lbl_Led_Light", nullptr}},
    {"LED_Light_All", {"lbl_MCULED3Control", nullptr}},
    {"LED_Light_Half", {"lbl_MCULED6Control", nullptr}},
    {"LED_Mode", {"lbl_Led_Mode", nullptr}},
    {"Marco_List", {"lbl_Marco_List", nullptr}},
    {"Marco_Content", {"lbl_Marco_Content", nullptr}},
    {"Marco_Record_Delay", {"lbl_Record_Delay", nullptr}},
    {"Marco_Delay_Setting", {"lbl_Delay_Setting", nullptr}},
    {"Marco_No_Delay", {"lbl_No_Delay", nullptr}},
    {"Marco_MS", {"lbl_MS", nullptr}},
    {"Marco_Stop_Release", {"lbl_Stop_Release", nullptr}},
    {"Marco_Stop_Over", {"lbl_Stop_Over", nullptr}},
    {"Gun_Marco_Stop_Release", {"lbl_Fire_Marco_Stop_Release", nullptr}},
    {"Gun_Marco_Fire_Count", {"lbl_Fire_Marco_Count", nullptr}},
    {"Gun_Marco_Fire_Y", {"lbl_Fire_Marco_Y", nullptr}},
    {"Gun_Marco_Y_Offset", {"lbl_Fire_Marco_Y_Offset", nullptr}},
    {"Gun_Marco_Fire_Delay", {"lbl_Fire_Marco_Delay", nullptr}},
    {"Gun_Marco_Fire_Color", {"lbl_Fire_Marco_Color", nullptr}},
    {"ComboKey1", {"IB_ComboKey1", nullptr}},
    {"ComboKey2", {"IB_ComboKey2", nullptr}},
    {"ComboKey3", {"IB_ComboKey3", nullptr}},
}};

namespace {

class SchemaBuilder {
  public:
    explicit SchemaBuilder(std::vector<LayoutKey>& out) : m_out(out) {}

    void group(LayoutGroup g) { m_group = g; }
    void key(const std::string& name, bool read = true) {
        m_out.push_back(LayoutKey{name, m_group, read});
    }
    void keys(const std::string& prefix, std::initializer_list<const char*> suffixes,
              bool read = true) {
        for (const char* s : suffixes) key(prefix + s, read);
    }
    void xy(const std::string& prefix) { keys(prefix, {"_X", "_Y"}); }
    void rgb(const std::string& prefix, bool read = true) {
        keys(prefix, {"_R", "_G", "_B"}, read);
    }
    void buttonSet(const std::string& prefix, bool read = true) {
        keys(prefix, {"_Enable", "_X", "_Y"}, read);
    }

  private:
    std::vector<LayoutKey>& m_out;
    LayoutGroup m_group = LayoutGroup::A;
};

std::string numbered(const char* stem, int k, const char* tail = "") {
    return stem + std::to_string(k) + tail;
}

void buildWindowGroups(SchemaBuilder& b) {
    b.group(LayoutGroup::A);
    b.key("Size_A");
    b.rgb("Color_A");
    for (const auto& set : kWindowButtonSets) b.buttonSet(set.key);

    b.group(LayoutGroup::B);
    b.key("Size_B");
    b.rgb("Color_B");
    b.key("Btn_Space_F");
    b.key("Btn_Space_B");
    for (const auto& set : kPageButtonSets) b.buttonSet(set.key);
    b.buttonSet("Btn_B12", false);

    b.group(LayoutGroup::C);
    b.key("Size_C");
    b.rgb("Color_C");
    b.xy("P1");
    for (int k = 1; k <= 9; ++k) b.buttonSet(numbered("Key", k));
    b.key("Key_Width");
    for (int k = 1; k <= 3; ++k) b.buttonSet(numbered("ComboKey", k));
    b.key("ComboKey_D");
    b.key("ComboKey_H");
    b.key("Combox_Width");

    b.group(LayoutGroup::G);
    b.key("Size_G");
    for (const char* c : {"Color_G", "Color_G_Back", "Color_G_Border", "Color_G_SF", "Color_G_SP",
                          "Color_MACRO", "Color_F_LBack"})
        b.rgb(c);
    for (const char* w : {"M_L_W", "SP_L_W", "O_L_W"}) b.key(w);
}

void buildPageGroups(SchemaBuilder& b) {
    b.group(LayoutGroup::D);
    b.key("Size_D");
    for (const char* c :
         {"Color_D_Selected", "Color_D_notSelected", "Color_D_Back", "Color_D_Border"})
        b.rgb(c);
    for (const char* p : {"P2", "FKCnt", "FKDelay", "IsFireContinue"}) b.xy(p);
    for (const char* s : {"Spd", "DbSpd", "ScrSpd"}) b.keys(s, {"_X", "_Y", "_D"});
    b.xy("IsControl");
    b.xy("IsScreen");
    for (int k = 1; k <= 7; ++k) {
        for (const char* part : {"_Color", "_Check", "", "_Value"}) b.xy(numbered("DPI", k, part));
        b.keys(numbered("DPI", k, "_Steps"), {"_X", "_Y", "_D"});
    }
    b.xy("AIMKey");
    b.xy("AIMKey_Value");
    b.keys("AIMKey_Steps", {"_X", "_Y", "_D"});
    b.rgb("Color_BG_Slider");
    b.key("DPI_Count_Visible");
    b.xy("DPI_Count");

    b.group(LayoutGroup::E);
    b.key("Size_E");
    b.rgb("Color_E");
    b.xy("P3");
    for (const char* o : {"LEDOn", "LEDOff", "B4CPIOn", "B4CPIOff", "LEDSwitchOn", "LEDSwitchOff",
                          "SaveKeyMode", "NoSaveKeyMode", "LED3Control", "LED6Control"})
        b.xy(o);
    for (const char* row : {"MCULEDMode", "RBLEDMode"})
        for (int k = 1; k <= 7; ++k) b.xy(numbered(row, k));
    b.keys("MCULEDNum", {"_X", "_Y", "_D"});
    b.keys("MCULEDStep", {"_X", "_Y", "_D"});

    b.group(LayoutGroup::F);
    b.key("Size_F");
    for (const char* c : {"Color_F", "Color_F_LBorder", "Color_F_Font", "Color_F_Back"}) b.rgb(c);
    b.xy("P4");
    b.key("MacroNameHeight");
    b.keys("PCMacroName", {"_X", "_Y", "_H"});
    for (const char* p : {"MacroContent", "BtnNew", "BtnStart", "DelayTime"}) b.xy(p);
    b.keys("RecDelay", {"_X", "_Y", "_H"});
    for (const char* p : {"DelayEdit", "ReleaseStop", "ReleaseContinue", "Insert", "InsertList"})
        b.xy(p);
    b.keys("InsertRecDelay", {"_X", "_Y", "_H"});
    for (const char* p :
         {"InsertDelayEdit", "InsertAxisEdit", "InsertBtnStart", "InsertBtnOK", "InsertBtnCancel"})
        b.xy(p);
    b.key("Edit_PCMarco_Width");

    b.group(LayoutGroup::J);
    b.key("Size_J");
    for (const char* c : {"Color_J", "Color_J_Font", "Color_J_Back", "Color_J_Border"}) b.rgb(c);
    b.xy("P5");
    for (int k = 1; k <= 7; ++k) b.xy(numbered("Fire", k));
    for (int k = 1; k <= 5; ++k) b.xy(numbered("GunMode", k));
    for (const char* stem : {"RKFS", "FireCnt", "FireX", "FireY"})
        for (int r = 1; r <= 3; ++r) b.xy(numbered(stem, r));
    for (int r = 1; r <= 3; ++r) b.xy(numbered("FireY", r, "_Offset"));
    for (const char* stem : {"FireTime", "FireColor"})
        for (int r = 1; r <= 3; ++r) b.xy(numbered(stem, r));
    b.xy("FireConfirm");
    b.xy("FireCancel");
}

void buildDialogGroups(SchemaBuilder& b) {
    b.group(LayoutGroup::K);
    b.key("Size_K", false);
    b.rgb("Color_K");
    b.rgb("Color_K_AK");
    b.xy("AKT");
    b.keys("AKC", {"_X", "_Y", "_W"});
    for (const char* p : {"MK_C", "MK_S", "MK_A", "MK_W", "AK_Cfm", "AK_Clear", "AK_Close"})
        b.xy(p);

    b.group(LayoutGroup::L);
    b.key("Size_L");
    b.rgb("Color_L");
    b.rgb("Color_L_MN");
    b.xy("MNT");
    b.keys("MNC", {"_X", "_Y", "_W"});
    for (const char* p : {"MN_Cfm", "MN_Clear", "MN_Close"}) b.xy(p);

    b.group(LayoutGroup::M);
    b.key("Size_M", false);
    b.rgb("Color_M", false);
    b.keys("NorLED", {"_Enable", "_X", "_Y", "_W", "_H", "_D", "_R", "_G", "_B", "_Size"}, false);
}

void buildCaptions(SchemaBuilder& b) {
    b.group(LayoutGroup::Captions);
    for (const auto& f : kCaptionFamilies) {
        b.keys(std::string(f.family) + "_Lable", {"_X", "_Y", "_R", "_G", "_B", "_Size", "_Width"});
        if (std::string_view(f.family) == "LED_Mode") {
            for (int k = 1; k <= 7; ++k)
                b.keys(numbered("LED_Mode_", k, "_Lable"), {"_X", "_Y", "_Width"});
            b.keys("LED_Mode_Option_Lable", {"_R", "_G", "_B", "_Size"});
        }
    }
    b.keys("DPI_Lable", {"_R", "_G", "_B", "_Size", "_Width"});
}

std::string folded(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

}  // namespace

const std::vector<LayoutKey>& layoutSchema() {
    static const std::vector<LayoutKey> kSchema = [] {
        std::vector<LayoutKey> keys;
        SchemaBuilder b(keys);
        buildWindowGroups(b);
        buildPageGroups(b);
        buildDialogGroups(b);
        buildCaptions(b);
        return keys;
    }();
    return kSchema;
}

std::vector<std::string> layoutKeysRead() {
    std::vector<std::string> names;
    for (const LayoutKey& k : layoutSchema())
        if (k.read) names.push_back(k.name);
    return names;
}

std::vector<std::string> layoutKeysIgnored() {
    std::vector<std::string> names;
    for (const LayoutKey& k : layoutSchema())
        if (!k.read) names.push_back(k.name);
    return names;
}

std::optional<LayoutGroup> layoutGroupOf(std::string_view key) {
    static const std::unordered_map<std::string, LayoutGroup> kByName = [] {
        std::unordered_map<std::string, LayoutGroup> map;
        for (const LayoutKey& k : layoutSchema()) map.emplace(folded(k.name), k.group);
        return map;
    }();
    const auto it = kByName.find(folded(key));
    if (it == kByName.end()) return std::nullopt;
    return it->second;
}

std::string layoutSection(int layoutNo) { return "org" + std::to_string(layoutNo); }

const IniFile& embeddedLayout(int layoutNo) {
    static const std::array<IniFile, 3> kFiles = [] {
        std::array<IniFile, 3> parsed;
        for (int n = 1; n <= 3; ++n) {
            const auto bytes = embeddedResource("ORG" + std::to_string(n));
            parsed[static_cast<std::size_t>(n - 1)] = IniFile::parse(
                std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        }
        return parsed;
    }();
    static const IniFile kNone;
    if (layoutNo < 1 || layoutNo > 3) return kNone;
    return kFiles[static_cast<std::size_t>(layoutNo - 1)];
}

}  // namespace vornik
