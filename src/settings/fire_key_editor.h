#pragma once

#include <QObject>
#include <functional>

#include "model/settings_values.h"

class QLabel;
class QLineEdit;

namespace vornik {

class ButtonLabel;
class Page;
class PageEditor;
class SkinImage;

// The fire key editor of the Advanced page: the shot count, the interval in 8 ms units and the
// continuous-fire toggle. It shows the model's fire key values (the engineer page's cb_FireCount,
// edt_FireTime and cb_IsFireContinue hold the same) and writes every change into the model.
class FireKeyEditor : public QObject {
    Q_OBJECT

  public:
    FireKeyEditor(QWidget* container, const Page& page, PageEditor& editor);

    // Shows `values`; no control writes back while it is filled.
    void fillFromModel(const SettingsValues& values);
    // Shows again what was shown last (the layout resets the continuous-fire image).
    void showAgain() { fillFromModel(m_shown); }

    // The user's actions, as the controls report them.
    void editCount();
    void leaveCount();
    void editInterval();
    void toggleContinuous();

    void lbl_FireContinueClick() { toggleContinuous(); }

    QLineEdit* Edt_Repeat1;
    QLineEdit* Edt_DelayTime1;
    ButtonLabel* lbl_FireContinue;
    SkinImage* Img_FireContinue;

  private:
    void showContinuous(bool on);
    void editValues(const std::function<void(SettingsValues&)>& change);

    const Page& m_page;
    PageEditor& m_editor;
    SettingsValues m_shown;
    bool m_filling = false;
};

}  // namespace vornik
