#pragma once

#include <QObject>
#include <array>
#include <functional>

#include "image/sections.h"
#include "model/fire_edits.h"
#include "model/fire_record.h"
#include "model/settings_values.h"
#include "ui/page.h"
#include "ui/page_controls.h"

class QCheckBox;
class QLineEdit;

namespace vornik {

class ColourSwatch;
class Dialogs;
class MessageSink;

// Page 5, the fire page: the seven gun presets, the row markers of presets 6 and 7, up to three
// rows of parameters of the preset's fire macros, its Confirm and Cancel (both lead back to
// page 1) and the fire recorder, hidden until the page's background is double-clicked. The
// rows show the model's fire work copy and write every change through the model.
class FirePage : public QObject, public Page {
    Q_OBJECT

  public:
    static constexpr int kRows = 3;

    struct Services {
        PageEditor& editor;
        Dialogs& dialogs;
        MessageSink& messages;
        // Fire Confirm's device part: the commit and the write of the fire data.
        std::function<void()> confirmFire;
        int gun6Count = 2;  // Gun6_Num: fire macros preset 6 uses
        int gun7Count = 3;  // Gun7_Num: fire macros preset 7 uses
    };

    // Builds the page in `container` (gbPage5): background, panel and controls.
    FirePage(QWidget* container, const Services& services);

    QWidget* widget() const override { return m_container; }
    void fillFromModel(const PageSource& model) override;
    bool ownsLayoutGroup(LayoutGroup group) const override { return group == LayoutGroup::J; }
    void applyLayoutGroup(LayoutGroup group, layout_detail::LayoutPass& pass) override;
    void applyLanguage(const LanguageTable& language) override;

    // Group J over the controls found by name.
    static void placeControls(layout_detail::LayoutPass& pass);

    // Shows the fire recorder controls for the rest of the run.
    void unlockRecorder();

    // The function menu's fire entry for button 1..9 of key mode 1..2: preset 1 is selected
    // and Confirm gives that button the chosen preset. The window shows the page.
    void openForButton(int keyMode, int button);
    // Shows preset 1..7 with its rows; the macros' fire code kinds follow their flags.
    void selectPreset(int preset);
    int preset() const { return m_preset; }
    // Fire Confirm: the button being assigned keeps the last Left Key of its key mode (Str108
    // otherwise, and nothing happens); in Game Mode it gets the preset's code; then the fire
    // data is committed and written.
    void confirmPreset();
    // Cancel: the fire work copy goes back to what was last confirmed or read.
    void cancelEdits();

    // The user's actions, as the controls report them.
    void editRowField(int row, FireField field);
    void toggleStopOnRelease(int row);
    void chooseRowColour(int row);

    void Btn_FireConfirmClick() { confirmPreset(); }
    void Btn_FireCancelClick() { cancelEdits(); }

    SkinImage* base() const { return m_base; }
    const SkinButton& confirm() const { return m_confirm; }
    const SkinButton& cancel() const { return m_cancel; }
    QWidget* recorder() const { return m_recorder; }

    // The rows' controls, row 1 first.
    std::array<QLineEdit*, kRows> Edt_FireCnt{};
    std::array<QLineEdit*, kRows> Edt_FireX{};
    std::array<QLineEdit*, kRows> Edt_FireY{};
    std::array<QLineEdit*, kRows> Edt_FireYOffset{};  // Edt_FireY<r>Offset
    QLineEdit* Edt_FireTime1 = nullptr;
    QLineEdit* Edt_FireTime2 = nullptr;
    QLineEdit* Edt_FireTime3 = nullptr;
    std::array<ButtonLabel*, kRows> IB_FireColor{};
    std::array<ColourSwatch*, kRows> cs_FireColor{};
    std::array<SkinImage*, kRows> Img_FireColor{};
    std::array<ButtonLabel*, kRows> lbl_FireRKFS{};
    std::array<SkinImage*, kRows> Img_FireRKFS{};
    std::array<QCheckBox*, kRows> cb_FireRKFS{};
    std::array<SkinImage*, 5> Img_GunMode{};

  private:
    QLineEdit* fieldEdit(int row, FireField field) const;
    // The fire macro of row 1..3 of the selected preset; 0 for a hidden row.
    int macroOfRow(int row) const;
    // Shows the selected preset's rows as the model held them last, with the writes back
    // suppressed.
    void showPreset();
    void showRow(int row);
    // A change through the window's editor; the page then keeps what the model holds.
    EditResult edit(const std::function<EditResult(ConfigModel&)>& change);
    void keep(const ConfigModel& model);

    QWidget* m_container;
    Services m_services;
    SkinImage* m_base;                            // Img_Base_5
    SkinImage* m_panel;                           // Img_P5
    std::array<SkinButton, 7> m_presets;          // Img_Fire<n> / Btn_Fire<n>
    SkinButton m_confirm;                         // Img_FireConfirm / Btn_FireConfirm
    SkinButton m_cancel;                          // Img_FireCancel / Btn_FireCancel
    QWidget* m_recorder;                          // gbFireRecorder
    std::array<QLineEdit*, kRows> m_timeEdits{};  // Edt_FireTime1..3
    int m_preset = 1;
    int m_keyMode = 2;
    int m_button = 0;  // the button Confirm assigns; 0 for none
    // What the model held when the page last heard of it.
    Sections m_sections;
    SettingsValues m_values;
    bool m_loadingSuppress = false;  // LoadingSuppress: the rows are being filled
};

}  // namespace vornik
