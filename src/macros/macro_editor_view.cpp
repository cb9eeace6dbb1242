#include "macros/macro_editor_view.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QRegularExpressionValidator>
#include <algorithm>

#include "formats/language.h"
#include "formats/language_keys.h"
#include "formats/layout_keys.h"
#include "image/profile_file.h"
#include "image/write_verify.h"
#include "model/event_bytes.h"
#include "model/macro_library_file.h"
#include "model/slot_names.h"
#include "platform/create_input_capture.h"
#include "ui/dialogs.h"
#include "ui/input_dialogs.h"
#include "ui/layout_pass.h"
#include "ui/widgets/fitting_text.h"
#include "ui/widgets/skin_widgets.h"

namespace vornik {

namespace {

constexpr int kPopupRowHeight = 22;
constexpr int kPopupWidth = 120;

ButtonLabel* popupButton(const QString& name, QWidget* panel, int row) {
    auto* b = new ButtonLabel(name, panel);
    b->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    b->setContentsMargins(6, 0, 0, 0);
    b->setGeometry(0, row * kPopupRowHeight, kPopupWidth, kPopupRowHeight);
    return b;
}

QWidget* popupPanel(const QString& name, QWidget* container, int rows) {
    auto* panel = new FramedPanel(name, container, QColor(18, 20, 24), QColor(24, 186, 235));
    panel->resize(kPopupWidth, rows * kPopupRowHeight);
    panel->hide();
    return panel;
}

QLineEdit* numberEdit(const QString& name, QWidget* container, const QString& text,
                      const char* pattern, std::string (*clamp)(std::string_view)) {
    auto* edit = new QLineEdit(text, container);
    edit->setObjectName(name);
    edit->resize(70, 22);
    edit->setAlignment(Qt::AlignCenter);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, clamp](const QString& typed) {
        const QString limited = QString::fromStdString(clamp(typed.toStdString()));
        if (limited != typed) edit->setText(limited);
    });
    return edit;
}

// The event list's rows: the script's lines after the header.
void fillRows(QListWidget& list, const MacroScript& script) {
    list.clear();
    for (std::size_t i = 1; i < script.size(); ++i) {
        auto* item = new QListWidgetItem(&list);
        item->setData(kScriptLineRole, QString::fromStdString(script[i]));
    }
}

std::size_t dialogIndex(InputDialogKind kind) { return static_cast<std::size_t>(kind); }

}  // namespace

MacroEditorView::MacroEditorView(QWidget* container, const Services& services)
    : QObject(container), m_services(services), m_container(container) {
    LB_PCMacroName = new QListWidget(container);
    LB_PCMacroName->setObjectName("LB_PCMacroName");
    LB_PCMacroName->setGeometry(140, 157, 200, 310);
    LB_PCMacroName->setItemDelegate(new MacroNameDelegate(m_look, LB_PCMacroName));
    LB_macro = new QListWidget(container);
    LB_macro->setObjectName("LB_macro");
    LB_macro->setGeometry(360, 157, 200, 310);
    LB_macro->setItemDelegate(new MacroRowDelegate(m_look, LB_macro));
    for (QListWidget* list : {LB_PCMacroName, LB_macro}) {
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setFocusPolicy(Qt::NoFocus);
        list->viewport()->installEventFilter(this);
    }
    connect(LB_PCMacroName, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_filling) return;
        hidePopups();
        showSelectedEntry();
        (void)row;
    });

    // Where the desktop's input cannot be had (Wayland), only this window's is recorded.
    recordingNote =
        new QLabel(tr("Only keys and buttons pressed in this window are recorded."), container);
    recordingNote->setObjectName("lbl_RecordingNote");
    recordingNote->setWordWrap(true);
    recordingNote->hide();

    byteBudget = new QLabel(container);
    byteBudget->setObjectName("lbl_MacroBytes");
    byteBudget->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    byteBudget->setGeometry(460, 135, 100, 18);

    newButton = hoverSkinButton("Img_New", "Btn_New", "MacroS", container);
    startButton = hoverSkinButton("Img_Start", "Btn_Start", "MacroS", container);
    connect(newButton.label, &ButtonLabel::clicked, this, &MacroEditorView::Btn_NewClick);
    connect(startButton.label, &ButtonLabel::clicked, this, &MacroEditorView::Btn_StartClick);
    // A left click on the buttons that start or stop a recording is not recorded.
    for (const SkinButton* b : {&newButton, &startButton}) {
        connect(b->label, &ButtonLabel::entered, this, [this] { m_queue.setIgnoreLeft(true); });
        connect(b->label, &ButtonLabel::left, this, [this] { m_queue.setIgnoreLeft(false); });
    }
    m_queue.setWakeup([this] {
        QMetaObject::invokeMethod(this, &MacroEditorView::takeRecordedEvents, Qt::QueuedConnection);
    });

    delayGroup = new QWidget(container);
    delayGroup->setObjectName("Gb_Delay");
    delayGroup->resize(220, 100);
    auto option = [&](const char* stem, SkinImage*& image, ButtonLabel*& label,
                      void (MacroEditorView::*click)()) {
        image = new SkinImage(QString("Img_") + stem, container);
        image->setSkin("RdS_D");
        label = new ButtonLabel(QString("IB_") + stem, container);
        label->placeOver(image);
        connect(image, &SkinImage::pressed, this, click);
        connect(label, &ButtonLabel::clicked, this, click);
    };
    option("RecDelay", Img_RecDelay, IB_RecDelay, &MacroEditorView::IB_RecDelayClick);
    option("DelayTime", Img_DelayTime, IB_DelayTime, &MacroEditorView::IB_DelayTimeClick);
    option("NoDelay", Img_NoDelay, IB_NoDelay, &MacroEditorView::IB_NoDelayClick);
    delayEdit = numberEdit("Edt_Delay", container, "50", "\\d*", clampDelayEditText);
    option("ReleaseStop", Img_ReleaseStop, IB_ReleaseStop, &MacroEditorView::IB_ReleaseStopClick);
    option("ReleaseContiue", Img_ReleaseContiue, IB_ReleaseContiue,
           &MacroEditorView::IB_ReleaseContiueClick);
    m_optionControls = {delayGroup,   Img_RecDelay, IB_RecDelay, Img_DelayTime,
                        IB_DelayTime, Img_NoDelay,  IB_NoDelay,  delayEdit};

    Pnl_PCMacro = popupPanel("Pnl_PCMacro", container, 7);
    Btn_NewMacro = popupButton("Btn_NewMacro", Pnl_PCMacro, 0);
    Btn_NewName = popupButton("Btn_NewName", Pnl_PCMacro, 1);
    Btn_DelPCMacro = popupButton("Btn_DelPCMacro", Pnl_PCMacro, 2);
    Btn_ImportOne = popupButton("Btn_ImportOne", Pnl_PCMacro, 3);
    Btn_Import = popupButton("Btn_Import", Pnl_PCMacro, 4);
    Btn_ExportOne = popupButton("Btn_ExportOne", Pnl_PCMacro, 5);
    Btn_Export = popupButton("Btn_Export", Pnl_PCMacro, 6);
    connect(Btn_ImportOne, &ButtonLabel::clicked, this, &MacroEditorView::Btn_ImportOneClick);
    connect(Btn_Import, &ButtonLabel::clicked, this, &MacroEditorView::Btn_ImportClick);
    connect(Btn_ExportOne, &ButtonLabel::clicked, this, &MacroEditorView::Btn_ExportOneClick);
    connect(Btn_Export, &ButtonLabel::clicked, this, &MacroEditorView::Btn_ExportClick);
    connect(Btn_NewMacro, &ButtonLabel::clicked, this, &MacroEditorView::Btn_NewMacroClick);
    connect(Btn_NewName, &ButtonLabel::clicked, this, &MacroEditorView::Btn_NewNameClick);
    connect(Btn_DelPCMacro, &ButtonLabel::clicked, this, &MacroEditorView::Btn_DelPCMacroClick);

    Pnl_DevContent = popupPanel("Pnl_DevContent", container, 3);
    Btn_Edit = popupButton("Btn_Edit", Pnl_DevContent, 0);
    Btn_Del = popupButton("Btn_Del", Pnl_DevContent, 1);
    Btn_Insert = popupButton("Btn_Insert", Pnl_DevContent, 2);
    connect(Btn_Edit, &ButtonLabel::clicked, this, &MacroEditorView::Btn_EditClick);
    connect(Btn_Del, &ButtonLabel::clicked, this, &MacroEditorView::Btn_DelClick);
    connect(Btn_Insert, &ButtonLabel::clicked, this, &MacroEditorView::Btn_InsertClick);

    insertPanel = new SkinImage("Gb_Insert", container);
    insertPanel->setSkin("InsertDelayBase");
    insertList = new FittingComboBox(container);
    insertList->setObjectName("CB_Insert");
    insertList->resize(190, 22);
    for (int i = 0; i < kInsertActionCount; ++i) insertList->addItem(QString());
    connect(insertList, &QComboBox::currentIndexChanged, this,
            &MacroEditorView::chooseInsertAction);
    insertDelayEdit = numberEdit("Edt_InsertDelay", container, "50", "\\d*", clampDelayEditText);
    edt_XAxisValue = numberEdit("edt_XAxisValue", container, "12", "-?\\d*", clampAxisEditText);
    edt_YAxisValue = numberEdit("edt_YAxisValue", container, "12", "-?\\d*", clampAxisEditText);
    edt_Repeat = numberEdit("edt_Repeat", container, "10", "\\d*", clampRepeatEditText);
    // Each insert edit's caption on its left; the delay's unit on its right.
    auto caption = [&](const char* name, QWidget* edit, std::string_view key, bool unit = false) {
        auto* label = new QLabel(container);
        label->setObjectName(name);
        label->hide();
        m_insertCaptions.push_back({label, edit, key, unit});
    };
    caption("lbl_InsertDelay", insertDelayEdit, textkey::kDelayTime);
    caption("lbl_InsertDelayMs", insertDelayEdit, textkey::kMs, true);
    caption("lbl_InsertRepeat", edt_Repeat, textkey::kRepeatNumber);
    caption("lbl_InsertXAxis", edt_XAxisValue, textkey::kXValue);
    caption("lbl_InsertYAxis", edt_YAxisValue, textkey::kYValue);
    option("InsertRecDelay", Img_InsertRecDelay, IB_InsertRecDelay,
           &MacroEditorView::IB_InsertRecDelayClick);
    option("InsertDelayTime", Img_InsertDelayTime, IB_InsertDelayTime,
           &MacroEditorView::IB_InsertDelayTimeClick);
    option("InsertNoDelay", Img_InsertNoDelay, IB_InsertNoDelay,
           &MacroEditorView::IB_InsertNoDelayClick);
    m_insertOptionControls = {Img_InsertRecDelay, IB_InsertRecDelay, Img_InsertDelayTime,
                              IB_InsertDelayTime, Img_InsertNoDelay, IB_InsertNoDelay};
    for (QWidget* w : m_insertOptionControls) w->hide();
    insertStart = hoverSkinButton("Img_InsertStart", "Btn_InsertStart", "MacroBtnS", container);
    connect(insertStart.label, &ButtonLabel::clicked, this, &MacroEditorView::Btn_InsertStartClick);
    connect(insertStart.label, &ButtonLabel::entered, this,
            [this] { m_queue.setIgnoreLeft(true); });
    connect(insertStart.label, &ButtonLabel::left, this, [this] { m_queue.setIgnoreLeft(false); });
    okButton = hoverSkinButton("Img_OK", "Btn_OK", "MacroBtnS", container);
    cancelButton = hoverSkinButton("Img_Cancel", "Btn_Cancel", "MacroBtnS", container);
    connect(okButton.label, &ButtonLabel::clicked, this, &MacroEditorView::Btn_OKClick);
    connect(cancelButton.label, &ButtonLabel::clicked, this, &MacroEditorView::Btn_CancelClick);
    for (QWidget* w :
         {static_cast<QWidget*>(insertPanel), static_cast<QWidget*>(insertList),
          static_cast<QWidget*>(insertDelayEdit), static_cast<QWidget*>(edt_XAxisValue),
          static_cast<QWidget*>(edt_YAxisValue), static_cast<QWidget*>(edt_Repeat)})
        w->hide();
    for (const SkinButton* b : {&insertStart, &okButton, &cancelButton})
        setSkinButtonShown(*b, false);

    for (auto kind : {InputDialogKind::Name, InputDialogKind::Key, InputDialogKind::Delay,
                      InputDialogKind::Value}) {
        auto* d = new InputDialog(kind, services.window);
        m_dialogs[dialogIndex(kind)] = d;
        connect(d, &InputDialog::dismissed, this, [this, kind] {
            if (kind == InputDialogKind::Name)
                m_pendingName.close();
            else
                m_rowEdits[dialogIndex(kind)].reset();
        });
        connect(d, &InputDialog::confirmed, this, [this, d](const QString& text) {
            if (d->kind() == InputDialogKind::Name)
                confirmName(text);
            else
                confirmRowDialog(*d, text);
        });
    }

    showDelayOption();
    showInsertDelayOption();
    showReleaseOption();
    showByteBudget();
}

QString MacroEditorView::text(std::string_view key) const {
    return m_language ? QString::fromStdString(m_language->text(key)) : QString();
}

InputDialog& MacroEditorView::dialog(int kind) const {
    return *m_dialogs.at(static_cast<std::size_t>(kind));
}

void MacroEditorView::message(std::string_view key) { m_services.messages.messageDialog(key); }

void MacroEditorView::setLanguage(const LanguageTable& language) {
    m_language = &language;
    auto set = [&](QLabel* w, std::string_view key) { w->setText(text(key)); };
    set(newButton.label, textkey::kNewMacro);
    set(startButton.label,
        recording() && !m_recorder.inserting() ? textkey::kStopRecording : textkey::kRecord);
    set(Btn_NewMacro, textkey::kNewMacro);
    set(Btn_NewName, textkey::kRename);
    set(Btn_DelPCMacro, textkey::kDeleteMacro);
    set(Btn_ImportOne, textkey::kImportOne);
    set(Btn_Import, textkey::kImportAll);
    set(Btn_ExportOne, textkey::kExportOne);
    set(Btn_Export, textkey::kExportAll);
    set(Btn_Edit, textkey::kEditRow);
    set(Btn_Del, textkey::kDeleteRow);
    set(Btn_Insert, textkey::kInsertRow);
    set(insertStart.label,
        recording() && m_recorder.inserting() ? textkey::kStopRecording : textkey::kRecord);
    set(IB_InsertRecDelay, textkey::kInsertRecordDelay);
    set(IB_InsertDelayTime, textkey::kInsertDefaultDelay);
    set(IB_InsertNoDelay, textkey::kInsertNoDelay);
    set(cancelButton.label, textkey::kInsertCancel);
    static constexpr std::string_view kActions[kInsertActionCount] = {
        textkey::kInsertDelayFront, textkey::kInsertDelayBack,   textkey::kInsertKeyFront,
        textkey::kInsertKeyBack,    textkey::kInsertRepeatStart, textkey::kInsertRepeatStop,
        textkey::kInsertXFront,     textkey::kInsertXBack,       textkey::kInsertYFront,
        textkey::kInsertYBack};
    for (int i = 0; i < kInsertActionCount; ++i) insertList->setItemText(i, text(kActions[i]));
    // The list opens wide enough for the longest action, which the closed box may cut.
    insertList->view()->setMinimumWidth(insertList->view()->sizeHintForColumn(0) + 12);
    showInsertInputs();
}

void MacroEditorView::setLayout(const LayoutKept& kept, int layoutNo) {
    m_layoutNo = std::clamp(layoutNo, 1, 3);
    if (kept.macroSelection.isValid()) m_look.selection = kept.macroSelection;
    if (kept.macroListBack.isValid()) m_look.background = kept.macroListBack;
    if (kept.macroNameHeight > 0) m_look.rowHeight = kept.macroNameHeight;
    m_insertDelayEditHome = insertDelayEdit->geometry();
    m_look.text = LB_macro->palette().color(QPalette::Text);
    for (QListWidget* list : {LB_PCMacroName, LB_macro}) {
        list->doItemsLayout();
        list->viewport()->update();
    }
    byteBudget->setPalette(LB_macro->palette());
    // The pop-up buttons keep the panel width the layout gives, inside its border; the layout
    // gave the panels their background. The buttons stay see-through over it.
    for (QWidget* w : {Pnl_PCMacro, Pnl_DevContent}) {
        auto* panel = static_cast<FramedPanel*>(w);
        if (kept.menuBorder.isValid()) panel->setBorder(kept.menuBorder);
        for (auto* b : panel->findChildren<ButtonLabel*>()) {
            b->setAutoFillBackground(false);
            b->setGeometry(1, b->y(), panel->width() - 2, b->height());
        }
    }
}

void MacroEditorView::showLibrary() {
    const auto keep = selectedEntry();
    {
        m_filling = true;
        LB_PCMacroName->clear();
        for (const std::string& name : m_services.library.library().names())
            LB_PCMacroName->addItem(QString::fromStdString(name));
        m_filling = false;
    }
    refreshNewButtons();
    LB_PCMacroName->scrollToBottom();
    selectEntry(keep && *keep < m_services.library.library().count() ? keep : std::nullopt);
}

std::optional<std::size_t> MacroEditorView::selectedEntry() const {
    const int row = LB_PCMacroName->currentRow();
    if (row < 0) return std::nullopt;
    return static_cast<std::size_t>(row);
}

void MacroEditorView::selectEntry(std::optional<std::size_t> index) {
    m_filling = true;
    if (index && *index < static_cast<std::size_t>(LB_PCMacroName->count())) {
        LB_PCMacroName->setCurrentRow(static_cast<int>(*index));
    } else {
        LB_PCMacroName->setCurrentRow(-1);
        LB_PCMacroName->clearSelection();
    }
    m_filling = false;
    hidePopups();
    showSelectedEntry();
}

void MacroEditorView::showSelectedEntry() {
    m_script.clear();
    const auto entry = selectedEntry();
    if (entry) {
        const DecodedMacro decoded =
            decodeContent(m_services.library.library().entry(*entry).content, m_form);
        if (!decoded.empty) m_script = decoded.script;
        if (decoded.releaseStops) m_releaseStops = *decoded.releaseStops;
        showReleaseOption();
    }
    showScript(std::nullopt);
}

void MacroEditorView::showScript(std::optional<std::size_t> row) {
    fillRows(*LB_macro, m_script);
    selectRow(row);
    showByteBudget();
}

std::optional<std::size_t> MacroEditorView::selectedRow() const {
    const int row = LB_macro->currentRow();
    if (row < 0) return std::nullopt;
    return static_cast<std::size_t>(row);
}

void MacroEditorView::selectRow(std::optional<std::size_t> row) {
    if (row && *row < static_cast<std::size_t>(LB_macro->count())) {
        LB_macro->setCurrentRow(static_cast<int>(*row));
        LB_macro->scrollToItem(LB_macro->item(static_cast<int>(*row)));
    } else {
        LB_macro->setCurrentRow(-1);
        LB_macro->clearSelection();
    }
}

void MacroEditorView::showByteBudget() {
    byteBudget->setText(
        QString("%1 / %2").arg(scriptEventByteCount(m_script)).arg(eventCapacity(m_form)));
}

void MacroEditorView::refreshNewButtons() {
    const bool room = !m_services.library.library().full();
    setSkinButtonEnabled(newButton, room && !insertPanelOpen());
    Btn_NewMacro->setEnabled(room);
}

void MacroEditorView::save() {
    std::string error;
    if (!m_services.library.save(error)) m_services.messages.errorMessage(error);
}

bool MacroEditorView::commit(const ScriptEdit& edit) {
    const auto entry = selectedEntry();
    if (!entry) return false;
    const EncodedMacro encoded = commitEdit(m_script, edit, m_releaseStops, m_form);
    if (!encoded.ok()) {
        if (encoded.status == EncodeStatus::TooLong) message(textkey::kMacroTooLong);
        return false;
    }
    MacroContent content{};
    std::copy_n(encoded.content.begin(), content.size(), content.begin());
    m_services.library.library().setContent(*entry, content);
    save();
    showScript(edit.selectedRow);
    return true;
}

// Entry commands.

void MacroEditorView::newMacro(bool fromPopup) {
    hidePopups();
    InputDialog& names = *m_dialogs[dialogIndex(InputDialogKind::Name)];
    if (names.isVisible()) {
        // The open dialog keeps its own command.
        openDialog(names);
        return;
    }
    if (!m_pendingName.open(NameCommand::New, m_services.library.library(), selectedEntry()))
        return;
    if (fromPopup) {
        // The page's option only; no stored entry changes.
        m_releaseStops = false;
        showReleaseOption();
    }
    m_script.clear();
    showScript(std::nullopt);
    openDialog(names);
}

void MacroEditorView::renameMacro() {
    hidePopups();
    InputDialog& names = *m_dialogs[dialogIndex(InputDialogKind::Name)];
    if (names.isVisible()) {
        openDialog(names);
        return;
    }
    if (!m_pendingName.open(NameCommand::Rename, m_services.library.library(), selectedEntry()))
        return;
    openDialog(names);
}

void MacroEditorView::confirmName(const QString& name) {
    MacroLibrary& library = m_services.library.library();
    const NameConfirm done = m_pendingName.confirm(library, selectedEntry(), name.toStdString());
    if (done.result == LibraryResult::Duplicate) {
        message(textkey::kMacroExists);
        return;
    }
    if (done.result != LibraryResult::Ok) return;
    save();
    m_filling = true;
    LB_PCMacroName->clear();
    for (const std::string& entry : library.names())
        LB_PCMacroName->addItem(QString::fromStdString(entry));
    m_filling = false;
    refreshNewButtons();
    selectEntry(done.selected);
}

void MacroEditorView::deleteMacro() {
    hidePopups();
    const auto entry = selectedEntry();
    if (!entry) return;
    const EntryDeletion deletion = deleteEntry(m_services.library.library(), *entry);
    if (!deletion.deleted) return;
    save();
    m_filling = true;
    delete LB_PCMacroName->takeItem(static_cast<int>(*entry));
    m_filling = false;
    LB_PCMacroName->scrollToBottom();
    refreshNewButtons();
    selectEntry(deletion.selected);
}

namespace {

constexpr const char* kMacroLoadFilter = "LoadFile (*.bin)";
constexpr const char* kMacroSaveFilter = "SaveFile (*.bin)";

}  // namespace

void MacroEditorView::importOneMacro() {
    hidePopups();
    MacroLibrary& library = m_services.library.library();
    if (!m_services.dialogs || !library.canImportOne()) return;
    const auto chosen = m_services.dialogs->openFileDialog(m_services.window, kMacroLoadFilter);
    if (!chosen) return;
    std::string error;
    std::size_t index = 0;
    switch (importOneFile(library, localPath(*chosen), error, &index)) {
        case LibraryResult::Ok:
            save();
            showLibrary();
            selectEntry(index);
            return;
        case LibraryResult::Duplicate:
            message(textkey::kMacroExists);
            return;
        case LibraryResult::FileError:
            m_services.messages.errorMessage(error);
            return;
        default:
            m_services.messages.errorMessage("\"" + chosen->toStdString() +
                                             "\" holds no macro: a name comes first");
            return;
    }
}

void MacroEditorView::importAllMacros() {
    hidePopups();
    if (!m_services.dialogs) return;
    const auto chosen = m_services.dialogs->openFileDialog(m_services.window, kMacroLoadFilter);
    if (!chosen) return;
    std::string error;
    const LibraryResult result =
        importAllFile(m_services.library.library(), localPath(*chosen), error);
    if (result == LibraryResult::Ok) {
        save();
        showLibrary();
    } else if (result == LibraryResult::FileError) {
        m_services.messages.errorMessage(error);
    } else {
        m_services.messages.errorMessage(
            "\"" + chosen->toStdString() +
            "\" holds no whole macro record; the library is unchanged");
    }
}

void MacroEditorView::exportOneMacro() {
    hidePopups();
    const auto entry = selectedEntry();
    if (!m_services.dialogs || !entry) return;
    const auto chosen = m_services.dialogs->saveFileDialog(m_services.window, kMacroSaveFilter);
    if (!chosen) return;
    const QFileInfo info(*chosen);
    std::string error;
    if (!exportOneFile(
            m_services.library.library(), *entry,
            savePathForChosenName(localPath(info.path()), localPath(info.fileName()).string()),
            error))
        m_services.messages.errorMessage(error);
}

void MacroEditorView::exportAllMacros() {
    hidePopups();
    if (!m_services.dialogs) return;
    const auto chosen = m_services.dialogs->saveFileDialog(m_services.window, kMacroSaveFilter);
    if (!chosen) return;
    const QFileInfo info(*chosen);
    std::string error;
    if (!exportAllFile(
            m_services.library.library(),
            savePathForChosenName(localPath(info.path()), localPath(info.fileName()).string()),
            error))
        m_services.messages.errorMessage(error);
}

// Row commands.

void MacroEditorView::openDialog(InputDialog& dialog) {
    if (!m_language) return;
    dialog.openOver(readDialogGroup(embeddedLayout(m_layoutNo), m_layoutNo, DialogGroup::Input),
                    *m_language);
}

void MacroEditorView::editRow() {
    hidePopups();
    const auto entry = selectedEntry();
    const auto row = selectedRow();
    if (!entry || !row) return;
    const RowDialog which = rowDialog(m_script, *row);
    InputDialogKind kind = InputDialogKind::Value;
    switch (which) {
        case RowDialog::None:
            return;
        case RowDialog::Delay:
            kind = InputDialogKind::Delay;
            break;
        case RowDialog::Key:
            kind = InputDialogKind::Key;
            break;
        default:
            break;
    }
    InputDialog& d = *m_dialogs[dialogIndex(kind)];
    if (d.isVisible()) {
        // One of its kind is open already: it comes forward and keeps its row.
        openDialog(d);
        return;
    }
    if (kind == InputDialogKind::Delay) d.setClamp(clampDelayEditText);
    if (kind == InputDialogKind::Value)
        d.setClamp([which](std::string_view text) { return clampValueDialogText(which, text); });
    m_rowEdits[dialogIndex(kind)] = RowEdit{*entry, *row, m_script[*row + 1]};
    openDialog(d);
}

void MacroEditorView::confirmRowDialog(InputDialog& dialog, const QString& text) {
    auto& slot = m_rowEdits[dialogIndex(dialog.kind())];
    const std::optional<RowEdit> edit = slot;
    slot.reset();
    // The row must still be what the dialog was opened for.
    if (!edit || selectedEntry() != edit->entry || edit->row + 1 >= m_script.size() ||
        m_script[edit->row + 1] != edit->line)
        return;
    const std::string typed = text.toStdString();
    std::optional<ScriptEdit> change;
    switch (dialog.kind()) {
        case InputDialogKind::Delay:
            change = confirmDelayDialog(m_script, edit->row, typed);
            break;
        case InputDialogKind::Key:
            change = confirmKeyDialog(m_script, edit->row, dialog.key());
            break;
        case InputDialogKind::Value:
            change = confirmValueDialog(m_script, edit->row, typed);
            break;
        case InputDialogKind::Name:
            break;
    }
    if (change) commit(*change);
}

void MacroEditorView::deleteSelectedRow() {
    hidePopups();
    const auto row = selectedRow();
    if (!row || !selectedEntry()) return;
    if (const auto change = deleteRow(m_script, *row)) commit(*change);
}

// Options.

void MacroEditorView::showReleaseOption() {
    Img_ReleaseStop->setSkin(m_releaseStops ? "RdS_E" : "RdS_D");
    Img_ReleaseContiue->setSkin(m_releaseStops ? "RdS_D" : "RdS_E");
}

void MacroEditorView::chooseRelease(bool stops) {
    m_releaseStops = stops;
    showReleaseOption();
    if (const auto entry = selectedEntry()) {
        m_services.library.library().setReleaseStops(*entry, stops);
        save();
    }
}

void MacroEditorView::showDelayOption() {
    Img_RecDelay->setSkin(m_delay == DelayOption::Recorded ? "RdS_E" : "RdS_D");
    Img_DelayTime->setSkin(m_delay == DelayOption::Fixed ? "RdS_E" : "RdS_D");
    Img_NoDelay->setSkin(m_delay == DelayOption::None ? "RdS_E" : "RdS_D");
    delayEdit->setReadOnly(m_delay != DelayOption::Fixed);
}

void MacroEditorView::chooseDelayOption(DelayOption option) {
    m_delay = option;
    showDelayOption();
}

// Pop-ups.

void MacroEditorView::hidePopups() {
    Pnl_PCMacro->hide();
    Pnl_DevContent->hide();
}

void MacroEditorView::showLibraryPopup(QPoint at) {
    hidePopups();
    Btn_NewName->setEnabled(selectedEntry().has_value());
    Btn_DelPCMacro->setEnabled(selectedEntry().has_value());
    Pnl_PCMacro->move(at);
    Pnl_PCMacro->show();
    Pnl_PCMacro->raise();
}

void MacroEditorView::showRowPopup(QPoint at) {
    hidePopups();
    if (!selectedEntry() || !selectedRow() || insertPanelOpen()) return;
    Pnl_DevContent->move(at);
    Pnl_DevContent->show();
    Pnl_DevContent->raise();
}

bool MacroEditorView::eventFilter(QObject* watched, QEvent* event) {
    QListWidget* list = watched == LB_PCMacroName->viewport() ? LB_PCMacroName
                        : watched == LB_macro->viewport()     ? LB_macro
                                                              : nullptr;
    const auto type = event->type();
    if (!list || (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease))
        return QObject::eventFilter(watched, event);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    if (type == QEvent::MouseButtonPress) {
        QListWidgetItem* item = list->itemAt(at);
        if (!item) {
            // Below the last entry: nothing is selected.
            hidePopups();
            if (list == LB_PCMacroName)
                selectEntry(std::nullopt);
            else
                selectRow(std::nullopt);
            return true;
        }
        if (mouse->button() == Qt::RightButton) {
            // A right press selects like a left click.
            list->setCurrentItem(item);
            return true;
        }
        if (list == LB_macro) hidePopups();
        return false;
    }
    if (mouse->button() != Qt::RightButton) return false;
    const QPoint onPage = list->viewport()->mapTo(m_container, at);
    if (list == LB_PCMacroName)
        showLibraryPopup(onPage);
    else
        showRowPopup(onPage);
    return true;
}

}  // namespace vornik
