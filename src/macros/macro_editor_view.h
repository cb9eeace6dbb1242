#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "macros/macro_lists.h"
#include "model/input_capture.h"
#include "model/macro_content.h"
#include "model/macro_editing.h"
#include "model/macro_entries.h"
#include "model/macro_recorder.h"
#include "model/script_lines.h"
#include "ui/page_controls.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QWidget;

namespace vornik {

class ButtonLabel;
class Clock;
class InputDialog;
class LanguageTable;
class MacroLibraryFile;
class MessageSink;
class SkinImage;
class Dialogs;
struct LayoutKept;

// The macro page's editor: the library list, the event list of the selected entry, the entry
// and row commands on their pop-up panels, the insert panel, the release and delay options and
// the four input dialogs. Every change of a script is encoded into its entry at once and the
// library file saved at once; a change that would not fit is refused whole (Str103).
class MacroEditorView : public QObject {
    Q_OBJECT

  public:
    struct Services {
        MacroLibraryFile& library;
        MessageSink& messages;
        QWidget* window = nullptr;   // what the input dialogs open over; its input is recorded
                                     // where the desktop's is not
        Clock* clock = nullptr;      // stamps the recorded events
        Dialogs* dialogs = nullptr;  // the file dialogs of import and export
    };

    MacroEditorView(QWidget* container, const Services& services);

    // The library as the file holds it now, into the list; the selection is kept when it can be.
    void showLibrary();
    void setLanguage(const LanguageTable& language);
    // The layout's list colours and row height, and the layout the dialogs take.
    void setLayout(const LayoutKept& kept, int layoutNo);

    // Entry commands.
    void selectEntry(std::optional<std::size_t> index);
    std::optional<std::size_t> selectedEntry() const;
    // New Macro; from the pop-up panel it also chooses Release Key for Continue on the page.
    void newMacro(bool fromPopup);
    void renameMacro();
    void deleteMacro();
    // Import and export through the file dialogs: one entry (256 bytes) or the whole library.
    void importOneMacro();
    void importAllMacros();
    void exportOneMacro();
    void exportAllMacros();
    // Row commands, on the selected row.
    std::optional<std::size_t> selectedRow() const;
    void selectRow(std::optional<std::size_t> row);
    void editRow();
    void deleteSelectedRow();
    void openInsertPanel();
    void chooseInsertAction(int action);
    void confirmInsert();
    void cancelInsert();
    bool insertPanelOpen() const;
    // The insert panel's own delay options, for the recordings it makes.
    void chooseInsertDelayOption(DelayOption option);
    DelayOption insertDelayOption() const { return m_insertDelay; }
    // The options.
    void chooseRelease(bool stops);
    bool releaseStops() const { return m_releaseStops; }
    void chooseDelayOption(DelayOption option);
    DelayOption delayOption() const { return m_delay; }

    // Record and Stop: the selected entry's script is replaced by what is recorded, encoded
    // and saved when the recording stops.
    void toggleRecording();
    // Record and Stop on the insert panel, for Insert Key Front/Back: the recorded lines go
    // before or after the selected row, and stay unsaved until OK (Cancel drops them).
    void toggleInsertRecording();
    // Either recording.
    bool recording() const { return m_recorder.recording(); }
    // The input source recordings take (tests give a fake one); by default the platform's,
    // made at the first recording.
    void useInputCapture(std::unique_ptr<InputCapture> capture);
    // The events the source delivered, into the script; the queue asks for it by itself.
    void takeRecordedEvents();

    // The pop-up panels, with their top-left corner at `at` (page coordinates).
    void showLibraryPopup(QPoint at);
    void showRowPopup(QPoint at);
    void hidePopups();

    const MacroScript& script() const { return m_script; }
    InputDialog& dialog(int kind) const;

    // One-line slots of the controls.
    void Btn_NewClick() { newMacro(false); }
    void Btn_StartClick() { toggleRecording(); }
    void Btn_NewMacroClick() { newMacro(true); }
    void Btn_NewNameClick() { renameMacro(); }
    void Btn_DelPCMacroClick() { deleteMacro(); }
    void Btn_ImportOneClick() { importOneMacro(); }
    void Btn_ImportClick() { importAllMacros(); }
    void Btn_ExportOneClick() { exportOneMacro(); }
    void Btn_ExportClick() { exportAllMacros(); }
    void Btn_EditClick() { editRow(); }
    void Btn_DelClick() { deleteSelectedRow(); }
    void Btn_InsertClick() { openInsertPanel(); }
    void Btn_OKClick() { confirmInsert(); }
    void Btn_CancelClick() { cancelInsert(); }
    void Btn_InsertStartClick() { toggleInsertRecording(); }
    void IB_InsertRecDelayClick() { chooseInsertDelayOption(DelayOption::Recorded); }
    void IB_InsertDelayTimeClick() { chooseInsertDelayOption(DelayOption::Fixed); }
    void IB_InsertNoDelayClick() { chooseInsertDelayOption(DelayOption::None); }
    void IB_ReleaseStopClick() { chooseRelease(true); }
    void IB_ReleaseContiueClick() { chooseRelease(false); }
    void IB_RecDelayClick() { chooseDelayOption(DelayOption::Recorded); }
    void IB_DelayTimeClick() { chooseDelayOption(DelayOption::Fixed); }
    void IB_NoDelayClick() { chooseDelayOption(DelayOption::None); }

    QListWidget* LB_PCMacroName;
    QListWidget* LB_macro;
    SkinButton newButton;    // Img_New, Btn_New
    SkinButton startButton;  // Img_Start, Btn_Start
    QWidget* delayGroup;     // Gb_Delay
    SkinImage* Img_RecDelay;
    SkinImage* Img_DelayTime;
    SkinImage* Img_NoDelay;
    ButtonLabel* IB_RecDelay;
    ButtonLabel* IB_DelayTime;
    ButtonLabel* IB_NoDelay;
    QLineEdit* delayEdit;  // Edt_Delay
    SkinImage* Img_ReleaseStop;
    SkinImage* Img_ReleaseContiue;
    ButtonLabel* IB_ReleaseStop;
    ButtonLabel* IB_ReleaseContiue;
    QWidget* Pnl_PCMacro;
    ButtonLabel* Btn_NewMacro;
    ButtonLabel* Btn_NewName;
    ButtonLabel* Btn_DelPCMacro;
    ButtonLabel* Btn_ImportOne;
    ButtonLabel* Btn_Import;
    ButtonLabel* Btn_ExportOne;
    ButtonLabel* Btn_Export;
    QWidget* Pnl_DevContent;
    ButtonLabel* Btn_Edit;
    ButtonLabel* Btn_Del;
    ButtonLabel* Btn_Insert;
    SkinImage* insertPanel;      // Gb_Insert
    QComboBox* insertList;       // CB_Insert
    QLineEdit* insertDelayEdit;  // Edt_InsertDelay
    QLineEdit* edt_XAxisValue;
    QLineEdit* edt_YAxisValue;
    QLineEdit* edt_Repeat;
    // The insert panel's delay options; each label carries its option's caption.
    SkinImage* Img_InsertRecDelay;
    SkinImage* Img_InsertDelayTime;
    SkinImage* Img_InsertNoDelay;
    ButtonLabel* IB_InsertRecDelay;
    ButtonLabel* IB_InsertDelayTime;
    ButtonLabel* IB_InsertNoDelay;
    SkinButton insertStart;   // Img_InsertStart, Btn_InsertStart
    SkinButton okButton;      // Img_OK, Btn_OK
    SkinButton cancelButton;  // Img_Cancel, Btn_Cancel
    // The event bytes the selected entry's script uses, of what the content holds.
    QLabel* byteBudget;
    QLabel* recordingNote;  // shown while recording only this window's input

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The insert panel's captions beside their edits.
    struct InsertCaption {
        QLabel* label;
        QWidget* edit;
        std::string_view key;
        bool unit;  // on the edit's right
    };
    std::vector<InsertCaption> m_insertCaptions;
    // The selected entry's stored content into the script and the event list.
    void showSelectedEntry();
    void showScript(std::optional<std::size_t> row);
    void showReleaseOption();
    void showDelayOption();
    void showByteBudget();
    void refreshNewButtons();
    // Encodes `edit` into the selected entry and saves; false, with Str103, when it does not
    // fit.
    bool commit(const ScriptEdit& edit);
    void save();
    void confirmName(const QString& name);
    void confirmRowDialog(InputDialog& dialog, const QString& text);
    void openDialog(InputDialog& dialog);
    void showInsertInputs();
    void closeInsertPanel();
    void setOptionsShown(bool shown);
    void message(std::string_view key);
    QString text(std::string_view key) const;
    // The platform's input source, made at the first recording; false where none can be had.
    bool haveInputCapture();
    void startRecording();
    void stopRecording();
    void setRecordingLocks(bool recording);
    void showRecordingNote(bool recording);
    void startInsertRecording();
    void stopInsertRecording();
    void setInsertRecordingLocks(bool recording);
    void showInsertDelayOption();
    // Places the insert options' captions in the room their row leaves.
    void placeInsertOptionCaptions();

    Services m_services;
    QWidget* m_container;
    const LanguageTable* m_language = nullptr;
    int m_layoutNo = 1;
    MacroListLook m_look;
    MacroForm m_form = MacroForm::Device;
    MacroScript m_script;
    bool m_releaseStops = false;
    DelayOption m_delay = DelayOption::Recorded;
    DelayOption m_insertDelay = DelayOption::Recorded;
    bool m_filling = false;
    PendingNameCommand m_pendingName;
    // What an open row dialog was opened for: the entry, the row and the line it held.
    struct RowEdit {
        std::size_t entry = 0;
        std::size_t row = 0;
        std::string line;
    };
    std::array<std::optional<RowEdit>, 4> m_rowEdits;
    std::array<InputDialog*, 4> m_dialogs{};
    // The event list's top and selected rows when the insert panel opened.
    int m_insertTop = 0;
    std::optional<std::size_t> m_insertRow;
    std::unique_ptr<InputCapture> m_capture;
    InputEventQueue m_queue;
    MacroRecorder m_recorder;
    // The controls the insert panel hides: the delay options and the option captions.
    std::vector<QWidget*> m_optionControls;
    // The insert panel's delay options, shown for the two key actions.
    std::vector<QWidget*> m_insertOptionControls;
    // Where the layout put the insert delay edit; the key actions move it aside.
    QRect m_insertDelayEditHome{0, 0, 70, 22};
};

}  // namespace vornik
