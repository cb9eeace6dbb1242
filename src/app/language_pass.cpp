#include "app/language_pass.h"

#include <QLabel>
#include <QWidget>
#include <utility>

#include "formats/language.h"
#include "settings/engineer_page.h"

namespace vornik {

namespace {

// The caption key of each button every page carries.
constexpr std::pair<const char*, const char*> kButtonCaptions[] = {
    {"Confirm", "Str000"},  {"Apply", "Str001"},    {"Read", "Str017"},  {"Confirm1", "Str002"},
    {"Confirm2", "Str015"}, {"Confirm3", "Str016"}, {"Main", "Str004"},  {"Second", "Str005"},
    {"Adv", "Str007"},      {"Breath", "Str008"},   {"Macro", "Str014"}, {"Engineer", "Str014"},
    {"Save", "Str009"},     {"Load", "Str010"},     {"Lang1", "Str011"}, {"Lang2", "Str012"},
    {"Lang3", "Str013"},
};

// The fixed labels of the other pages, each under its own key.
constexpr std::pair<const char*, const char*> kPageLabels[] = {
    {"lbl_FireKey", "Str800"},
    {"lbl_Fire_Count", "Str801"},
    {"lbl_Fire_Time", "Str802"},
    {"lbl_Fire_Continue", "Str803"},
    {"lbl_Mouse_Speed", "Str804"},
    {"lbl_Is_Control", "Str805"},
    {"lbl_Double_Click", "Str806"},
    {"lbl_Roller_Speed", "Str807"},
    {"lbl_Roll_All_Screen", "Str808"},
    {"lbl_DPI_Setting", "Str809"},
    {"lbl_DPI_Value", "Str810"},
    {"lbl_DPI_Note", "Str811"},
    {"lbl_LED_Status", "Str812"},
    {"lbl_LEDOn", "Str813"},
    {"lbl_LCPIOn", "Str813"},
    {"lbl_B4CPIOn", "Str813"},
    {"lbl_LEDOff", "Str814"},
    {"lbl_LCPIOff", "Str814"},
    {"lbl_B4CPIOff", "Str814"},
    {"lbl_LLED_Status", "Str815"},
    {"lbl_MCPI_Status", "Str816"},
    {"lbl_Led_Light", "Str817"},
    {"lbl_SaveKeyMode", "Str818"},
    {"lbl_NoSaveKeyMode", "Str819"},
    {"lbl_Led_Mode", "Str820"},
    {"lbl_Marco_List", "Str835"},
    {"lbl_Marco_Content", "Str836"},
    {"lbl_Record_Delay", "Str837"},
    {"lbl_Delay_Setting", "Str838"},
    {"lbl_No_Delay", "Str839"},
    {"lbl_MS", "Str840"},
    {"lbl_Stop_Release", "Str841"},
    {"lbl_Stop_Over", "Str842"},
    {"lbl_Fire_Marco_Stop_Release", "Str843"},
    {"lbl_Fire_Marco_Count", "Str844"},
    {"lbl_Fire_Marco_Y", "Str845"},
    {"lbl_Fire_Marco_Y_Offset", "Str846"},
    {"lbl_Fire_Marco_Delay", "Str847"},
    {"lbl_Fire_Marco_Color", "Str848"},
    {"IB_ComboKey1", "Str700"},
    {"IB_ComboKey2", "Str701"},
    {"IB_ComboKey3", "Str702"},
    {"Btn_FireConfirm", "Str620"},
    {"Btn_FireCancel", "Str621"},
};

bool onEngineerPage(const QWidget* w) {
    for (const QWidget* p = w; p; p = p->parentWidget())
        if (qobject_cast<const EngineerPage*>(p)) return true;
    return false;
}

}  // namespace

void applyLanguage(QWidget& window, const LanguageTable& language) {
    auto text = [&](const char* key) { return QString::fromStdString(language.text(key)); };
    for (auto [role, key] : kButtonCaptions)
        for (int n = 1; n <= 4; ++n)
            if (auto* label = window.findChild<QLabel*>(QString("Btn_%1_%2").arg(role).arg(n)))
                label->setText(text(key));
    for (auto [name, key] : kPageLabels)
        if (auto* label = window.findChild<QLabel*>(name)) label->setText(text(key));
    // The gun presets show their names.
    for (int n = 1; n <= 7; ++n)
        if (auto* label = window.findChild<QLabel*>(QString("Btn_Fire%1").arg(n)))
            label->setText(text(qPrintable(QString("Str%1").arg(599 + n))));
    for (int level = 1; level <= 7; ++level)
        if (auto* label = window.findChild<QLabel*>(QString("lbl_DPI%1").arg(level)))
            label->setText(text(qPrintable(QString("Str%1").arg(848 + level))));
    // After the captions, so that every captioned label takes the font.
    const QString fontName = QString::fromStdString(language.fontName());
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (onEngineerPage(label) || label->text().isNull()) continue;
        QFont font = label->font();
        font.setFamily(fontName);
        label->setFont(font);
    }
}

}  // namespace vornik
