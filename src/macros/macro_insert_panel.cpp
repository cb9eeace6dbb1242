// The macro editor's insert panel and its recordings: the panel's actions, the recording on
// Btn_Start that replaces a script and the one on Btn_InsertStart that inserts into it.

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>

#include "formats/language_keys.h"
#include "image/write_verify.h"
#include "macros/macro_editor_view.h"
#include "model/event_bytes.h"
#include "model/macro_library_file.h"
#include "platform/create_input_capture.h"
#include "ui/dialogs.h"
#include "ui/widgets/fitting_text.h"
#include "ui/widgets/skin_widgets.h"

namespace vornik {

namespace {

constexpr int kNarrowDelayEditWidth = 44;
constexpr qreal kSmallestCaptionPointSize = 7;

}  // namespace

// The insert panel.

bool MacroEditorView::insertPanelOpen() const { return !insertPanel->isHidden(); }

void MacroEditorView::setOptionsShown(bool shown) {
    for (QWidget* w : m_optionControls) w->setVisible(shown);
    for (const char* name : {"lbl_Record_Delay", "lbl_Delay_Setting", "lbl_No_Delay", "lbl_MS",
                             "lbl_Stop_Release", "lbl_Stop_Over"})
        if (auto* w = m_container->findChild<QWidget*>(name)) w->setVisible(shown);
    for (QWidget* w :
         {static_cast<QWidget*>(Img_ReleaseStop), static_cast<QWidget*>(IB_ReleaseStop),
          static_cast<QWidget*>(Img_ReleaseContiue), static_cast<QWidget*>(IB_ReleaseContiue)})
        w->setVisible(shown);
}

void MacroEditorView::openInsertPanel() {
    hidePopups();
    if (!selectedEntry() || !selectedRow()) return;
    m_insertTop = LB_macro->indexAt(QPoint(1, 1)).row();
    m_insertRow = selectedRow();
    setOptionsShown(false);
    insertPanel->show();
    insertList->show();
    setSkinButtonShown(okButton, true);
    setSkinButtonShown(cancelButton, true);
    setSkinButtonEnabled(newButton, false);
    setSkinButtonEnabled(startButton, false);
    for (QWidget* w : {static_cast<QWidget*>(insertPanel), static_cast<QWidget*>(insertList)})
        w->raise();
    {
        const QSignalBlocker quiet(insertList);
        insertList->setCurrentIndex(0);
    }
    chooseInsertAction(0);
}

void MacroEditorView::chooseInsertAction(int action) {
    if (action < 0 || action >= kInsertActionCount || recording()) return;
    if (insertList->currentIndex() != action) {
        const QSignalBlocker quiet(insertList);
        insertList->setCurrentIndex(action);
    }
    // The key actions start from Record Delay each time they are chosen.
    if (recordsKeys(static_cast<InsertAction>(action))) m_insertDelay = DelayOption::Recorded;
    showInsertDelayOption();
    showInsertInputs();
}

void MacroEditorView::chooseInsertDelayOption(DelayOption option) {
    if (recording()) return;
    m_insertDelay = option;
    showInsertDelayOption();
}

void MacroEditorView::showInsertDelayOption() {
    Img_InsertRecDelay->setSkin(m_insertDelay == DelayOption::Recorded ? "RdS_E" : "RdS_D");
    Img_InsertDelayTime->setSkin(m_insertDelay == DelayOption::Fixed ? "RdS_E" : "RdS_D");
    Img_InsertNoDelay->setSkin(m_insertDelay == DelayOption::None ? "RdS_E" : "RdS_D");
    // The delay actions always take the edit's value; a key action only with Default Delay.
    // A disabled edit is read-only and grey.
    const auto action = static_cast<InsertAction>(insertList->currentIndex());
    insertDelayEdit->setEnabled(!recording() &&
                                (!recordsKeys(action) || m_insertDelay == DelayOption::Fixed));
}

void MacroEditorView::placeInsertOptionCaptions() {
    // Each caption starts right of its option's image and runs to the edit on its row, or to
    // the panel's edge; one too long for that is set smaller, then wraps.
    const int panelRight = insertPanel->x() + insertPanel->width() - 6;
    const QRect edit = insertDelayEdit->geometry();
    const struct {
        SkinImage* image;
        ButtonLabel* label;
    } options[] = {{Img_InsertRecDelay, IB_InsertRecDelay},
                   {Img_InsertDelayTime, IB_InsertDelayTime},
                   {Img_InsertNoDelay, IB_InsertNoDelay}};
    for (const auto& o : options) {
        const QRect image = o.image->geometry();
        const bool besideEdit =
            edit.top() < image.bottom() && edit.bottom() > image.top() && edit.x() > image.right();
        const int width =
            std::max((besideEdit ? edit.x() - 4 : panelRight) - image.x(), image.width());
        const int indent = image.width() + 4;
        o.label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        o.label->setIndent(indent);
        o.label->setPalette(byteBudget->palette());
        fitCaption(*o.label, width - indent, kSmallestCaptionPointSize);
        const int height = std::max(image.height(), o.label->heightForWidth(width));
        o.label->setGeometry(image.x(), image.center().y() - height / 2, width, height);
        o.image->raise();
        o.label->raise();
    }
}

void MacroEditorView::showInsertInputs() {
    if (!insertPanelOpen()) return;
    const auto action = static_cast<InsertAction>(insertList->currentIndex());
    const bool keys = recordsKeys(action);
    insertPanel->setSkin(keys ? "InsertKeyBase" : "InsertDelayBase");
    const bool delay = action == InsertAction::DelayFront || action == InsertAction::DelayBack;
    const bool repeat = action == InsertAction::RepeatStart || action == InsertAction::RepeatStop;
    const bool x = action == InsertAction::XFront || action == InsertAction::XBack;
    const bool y = action == InsertAction::YFront || action == InsertAction::YBack;
    insertDelayEdit->setVisible(delay || keys);
    insertDelayEdit->setGeometry(m_insertDelayEditHome);
    if (keys) {
        // Beside Default Delay the edit needs room for "2040" only; narrower, it stands with
        // its unit at the panel's right edge and leaves the option's caption the rest.
        const int unit =
            QFontMetrics(insertDelayEdit->font()).horizontalAdvance(text(textkey::kMs));
        const int right = insertPanel->x() + insertPanel->width() - 6 - unit - 4;
        const int width = std::min(m_insertDelayEditHome.width(), kNarrowDelayEditWidth);
        if (right - width > m_insertDelayEditHome.x())
            insertDelayEdit->setGeometry(right - width, m_insertDelayEditHome.y(), width,
                                         m_insertDelayEditHome.height());
    }
    for (QWidget* w : m_insertOptionControls) w->setVisible(keys);
    if (keys) placeInsertOptionCaptions();
    edt_Repeat->setVisible(repeat);
    edt_Repeat->setEnabled(action == InsertAction::RepeatStart);
    edt_XAxisValue->setVisible(x);
    edt_YAxisValue->setVisible(y);
    setSkinButtonShown(insertStart, keys);
    for (QWidget* w : {insertDelayEdit, edt_Repeat, edt_XAxisValue, edt_YAxisValue}) w->raise();
    for (const InsertCaption& c : m_insertCaptions) {
        // With the key actions the delay edit stands beside Default Delay, which names it.
        const bool shown = !c.edit->isHidden() && !(keys && c.key == textkey::kDelayTime);
        c.label->setVisible(shown);
        if (!shown) continue;
        c.label->setText(text(c.key));
        c.label->setPalette(byteBudget->palette());
        c.label->setWordWrap(false);
        c.label->adjustSize();
        // A caption wider than the room between the panel's edge and its edit wraps.
        const int room = c.edit->x() - 6 - (insertPanel->x() + 10);
        if (!c.unit && c.label->width() > room && room > 0) {
            c.label->setWordWrap(true);
            c.label->resize(room, c.label->heightForWidth(room));
        }
        const int top = c.edit->y() + (c.edit->height() - c.label->height()) / 2;
        c.label->move(
            c.unit ? c.edit->x() + c.edit->width() + 4 : c.edit->x() - c.label->width() - 6, top);
        c.label->raise();
    }
    for (const SkinButton* b : {&insertStart, &okButton, &cancelButton}) {
        b->image->raise();
        b->label->raise();
    }
    okButton.label->setText(text(keys ? textkey::kInsertKeyOk : textkey::kInsertOk));
}

void MacroEditorView::confirmInsert() {
    if (!insertPanelOpen() || recording()) return;
    const auto action = static_cast<InsertAction>(insertList->currentIndex());
    if (recordsKeys(action)) {
        // What the insert recordings placed, encoded as the script now stands.
        if (!commit({m_script, selectedRow()})) return;
    } else {
        const auto row = selectedRow();
        if (!row) return;
        int value = 0;
        switch (action) {
            case InsertAction::DelayFront:
            case InsertAction::DelayBack:
                value = editTextValue(insertDelayEdit->text().toStdString());
                break;
            case InsertAction::RepeatStart:
                value = editTextValue(edt_Repeat->text().toStdString());
                break;
            case InsertAction::XFront:
            case InsertAction::XBack:
                value = editTextValue(edt_XAxisValue->text().toStdString());
                break;
            case InsertAction::YFront:
            case InsertAction::YBack:
                value = editTextValue(edt_YAxisValue->text().toStdString());
                break;
            default:
                break;
        }
        const auto change = insertRow(m_script, *row, action, value);
        if (!change || !commit(*change)) return;
    }
    closeInsertPanel();
}

void MacroEditorView::closeInsertPanel() {
    for (QWidget* w :
         {static_cast<QWidget*>(insertPanel), static_cast<QWidget*>(insertList),
          static_cast<QWidget*>(insertDelayEdit), static_cast<QWidget*>(edt_XAxisValue),
          static_cast<QWidget*>(edt_YAxisValue), static_cast<QWidget*>(edt_Repeat)})
        w->hide();
    for (const InsertCaption& c : m_insertCaptions) c.label->hide();
    for (QWidget* w : m_insertOptionControls) w->hide();
    for (const SkinButton* b : {&insertStart, &okButton, &cancelButton})
        setSkinButtonShown(*b, false);
    LB_PCMacroName->setEnabled(true);
    LB_macro->setEnabled(true);
    setOptionsShown(true);
    setSkinButtonEnabled(startButton, true);
    refreshNewButtons();
}

void MacroEditorView::cancelInsert() {
    if (!insertPanelOpen() || recording()) return;
    closeInsertPanel();
    showSelectedEntry();
    if (m_insertTop >= 0 && m_insertTop < LB_macro->count())
        LB_macro->scrollToItem(LB_macro->item(m_insertTop), QAbstractItemView::PositionAtTop);
    selectRow(m_insertRow);
}

// Recording.

void MacroEditorView::useInputCapture(std::unique_ptr<InputCapture> capture) {
    if (!recording()) m_capture = std::move(capture);
}

void MacroEditorView::toggleRecording() {
    if (!recording())
        startRecording();
    else if (!m_recorder.inserting())
        stopRecording();
}

void MacroEditorView::toggleInsertRecording() {
    if (!recording())
        startInsertRecording();
    else if (m_recorder.inserting())
        stopInsertRecording();
}

void MacroEditorView::showRecordingNote(bool on) {
    const bool windowOnly = on && m_capture && !m_capture->coversDesktop();
    if (windowOnly)
        recordingNote->setGeometry(LB_macro->x(), LB_macro->y() + LB_macro->height() + 4,
                                   LB_macro->width(), 34);
    recordingNote->setPalette(byteBudget->palette());
    recordingNote->setVisible(windowOnly);
    if (windowOnly) recordingNote->raise();
}

void MacroEditorView::setRecordingLocks(bool on) {
    startButton.label->setText(text(on ? textkey::kStopRecording : textkey::kRecord));
    for (QWidget* w : m_optionControls) w->setEnabled(!on);
    LB_PCMacroName->setEnabled(!on);
    LB_macro->setEnabled(!on);
    setSkinButtonEnabled(newButton, !on && !m_services.library.library().full());
    showRecordingNote(on);
}

void MacroEditorView::setInsertRecordingLocks(bool on) {
    insertStart.label->setText(text(on ? textkey::kStopRecording : textkey::kRecord));
    insertList->setEnabled(!on);
    for (QWidget* w : m_insertOptionControls) w->setEnabled(!on);
    showInsertDelayOption();
    setSkinButtonEnabled(okButton, !on);
    setSkinButtonEnabled(cancelButton, !on);
    // The lists stay locked until OK or Cancel settles what was recorded.
    LB_PCMacroName->setEnabled(false);
    LB_macro->setEnabled(false);
    showRecordingNote(on);
}

bool MacroEditorView::haveInputCapture() {
    if (!m_capture && m_services.window && m_services.clock)
        m_capture = createInputCapture(*m_services.clock, *m_services.window);
    return m_capture != nullptr;
}

void MacroEditorView::startRecording() {
    hidePopups();
    if (!selectedEntry() || insertPanelOpen() || !haveInputCapture()) return;
    RecorderOptions options;
    options.delay = m_delay;
    options.fixedDelayMs = editTextValue(delayEdit->text().toStdString());
    options.form = m_form;
    m_queue.clear();
    m_recorder.startNew(options);
    if (!m_capture->start(m_queue)) {
        m_recorder.stop();
        m_services.messages.errorMessage(m_capture->error());
        return;
    }
    m_queue.setAccepting(true);
    m_script.clear();
    showScript(std::nullopt);
    setRecordingLocks(true);
}

void MacroEditorView::takeRecordedEvents() {
    if (!recording()) return;
    const RecordBatch batch = m_recorder.handleAll(m_queue.takeAll());
    if (batch.rowsPlaced > 0) {
        m_script = m_recorder.script();
        showScript(m_recorder.selectedRow());
    }
    if (!batch.ended) return;
    if (m_recorder.inserting())
        stopInsertRecording();
    else
        stopRecording();
}

void MacroEditorView::stopRecording() {
    if (!recording()) return;
    m_capture->stop();
    m_queue.setAccepting(false);
    takeRecordedEvents();
    if (!recording()) return;  // the last events ended it, and it stopped there
    m_recorder.stop();
    const ScriptEdit recorded{m_recorder.takeScript(), std::nullopt};
    m_queue.clear();
    setRecordingLocks(false);
    m_script.clear();
    if (!commit(recorded)) showSelectedEntry();
}

void MacroEditorView::startInsertRecording() {
    const auto entry = selectedEntry();
    const auto row = selectedRow();
    const auto action = static_cast<InsertAction>(insertList->currentIndex());
    if (!insertPanelOpen() || !recordsKeys(action) || !entry || !row || !haveInputCapture()) return;
    RecorderOptions options;
    options.delay = m_insertDelay;
    options.fixedDelayMs = editTextValue(insertDelayEdit->text().toStdString());
    options.form = m_form;
    // The count starts at the stored length, or at the script's when lines recorded earlier
    // in this panel are not yet stored.
    const std::size_t length =
        std::max(storedLength(m_services.library.library().entry(*entry).content, m_form),
                 scriptEventByteCount(m_script) + 1);
    const InsertSide side = action == InsertAction::KeyFront ? InsertSide::Front : InsertSide::Back;
    m_queue.clear();
    if (!m_recorder.startInsert(m_script, *row, side, length, options)) return;
    if (!m_capture->start(m_queue)) {
        m_recorder.stop();
        m_services.messages.errorMessage(m_capture->error());
        return;
    }
    m_queue.setAccepting(true);
    setInsertRecordingLocks(true);
}

void MacroEditorView::stopInsertRecording() {
    if (!recording() || !m_recorder.inserting()) return;
    m_capture->stop();
    m_queue.setAccepting(false);
    takeRecordedEvents();
    if (!recording()) return;  // the last events ended it, and it stopped there
    m_recorder.stop();
    const auto row = m_recorder.selectedRow() ? m_recorder.selectedRow() : selectedRow();
    m_script = m_recorder.takeScript();
    m_queue.clear();
    setInsertRecordingLocks(false);
    showScript(row);
}

}  // namespace vornik
