#include "settings/fire_key_editor.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "model/config_model.h"
#include "model/fire_edits.h"
#include "ui/page.h"
#include "ui/widgets/skin_widgets.h"

namespace vornik {

namespace {

// Continuous fire shows three shots in the disabled count edit.
constexpr int kContinuousShownCount = 3;

QLineEdit* numberEdit(const char* name, const QString& text, QWidget* container) {
    auto* e = new QLineEdit(text, container);
    e->setObjectName(name);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), e));
    e->resize(60, 22);
    return e;
}

}  // namespace

FireKeyEditor::FireKeyEditor(QWidget* container, const Page& page, PageEditor& editor)
    : QObject(container), m_page(page), m_editor(editor) {
    for (const char* caption :
         {"lbl_FireKey", "lbl_Fire_Count", "lbl_Fire_Time", "lbl_Fire_Continue"}) {
        auto* label = new QLabel(container);
        label->setObjectName(caption);
        label->resize(110, 20);
    }
    // The continuous-fire caption ends where the DPI levels begin: a long one wraps.
    if (auto* label = container->findChild<QLabel*>("lbl_Fire_Continue")) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setContentsMargins(0, 2, 0, 0);
        label->resize(100, 36);
    }
    Edt_Repeat1 = numberEdit("Edt_Repeat1", "2", container);
    Edt_DelayTime1 = numberEdit("Edt_DelayTime1", "16", container);
    Img_FireContinue = new SkinImage("Img_FireContinue", container);
    Img_FireContinue->setSkin("CbS_D");
    lbl_FireContinue = new ButtonLabel("lbl_FireContinue", container);
    lbl_FireContinue->resize(Img_FireContinue->width() + 8, Img_FireContinue->height());

    connect(Edt_Repeat1, &QLineEdit::textChanged, this, &FireKeyEditor::editCount);
    connect(Edt_Repeat1, &QLineEdit::editingFinished, this, &FireKeyEditor::leaveCount);
    connect(Edt_DelayTime1, &QLineEdit::textChanged, this, &FireKeyEditor::editInterval);
    connect(lbl_FireContinue, &ButtonLabel::clicked, this, &FireKeyEditor::lbl_FireContinueClick);
    connect(Img_FireContinue, &SkinImage::pressed, this, &FireKeyEditor::toggleContinuous);
}

void FireKeyEditor::fillFromModel(const SettingsValues& values) {
    m_filling = true;
    m_shown = values;
    showContinuous(values.cb_IsFireContinue);
    if (!values.cb_IsFireContinue && values.cb_FireCount != kNoItem)
        Edt_Repeat1->setText(QString::number(values.cb_FireCount + 1));
    Edt_DelayTime1->setText(QString::number(values.edt_FireTime));
    m_filling = false;
}

void FireKeyEditor::showContinuous(bool on) {
    Img_FireContinue->setSkin(on ? "CbS_E" : "CbS_D");
    if (on) Edt_Repeat1->setText(QString::number(kContinuousShownCount));
    Edt_Repeat1->setEnabled(!on);
}

void FireKeyEditor::editValues(const std::function<void(SettingsValues&)>& change) {
    m_editor.edit(m_page, [&](ConfigModel& model) {
        SettingsValues values = model.values();
        change(values);
        const EditResult result = model.setValues(values);
        m_shown = model.values();
        return result;
    });
}

void FireKeyEditor::editCount() {
    if (m_filling) return;
    const QString text = Edt_Repeat1->text();
    const QString kept = QString::fromStdString(fireKeyCountText(text.toStdString()));
    if (kept != text) {
        Edt_Repeat1->setText(kept);
        return;
    }
    const int count = kept.toInt();
    editValues([count](SettingsValues& v) { v.cb_FireCount = count - 1; });
}

void FireKeyEditor::leaveCount() {
    const QString text = Edt_Repeat1->text();
    const QString kept = QString::fromStdString(fireKeyCountExitText(text.toStdString()));
    if (kept != text) Edt_Repeat1->setText(kept);
}

void FireKeyEditor::editInterval() {
    if (m_filling) return;
    const QString text = Edt_DelayTime1->text();
    const QString kept = QString::fromStdString(fireKeyIntervalText(text.toStdString()));
    if (kept != text) {
        Edt_DelayTime1->setText(kept);
        return;
    }
    const int interval = kept.toInt();
    editValues([interval](SettingsValues& v) { v.edt_FireTime = interval; });
}

void FireKeyEditor::toggleContinuous() {
    const bool on = !m_shown.cb_IsFireContinue;
    m_filling = true;
    showContinuous(on);
    m_filling = false;
    const int count = Edt_Repeat1->text().toInt();
    editValues([on, count](SettingsValues& v) {
        v.cb_IsFireContinue = on;
        // Switched off, the count edit's shots count again.
        v.cb_FireCount = on ? kNoItem : count - 1;
    });
}

}  // namespace vornik
