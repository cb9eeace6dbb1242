#pragma once

#include <QObject>
#include <QStringList>
#include <filesystem>

#include "model/gun_list.h"

class QComboBox;
class QGroupBox;
class QListWidget;
class QPushButton;
class QWidget;

namespace vornik {

// The engineer page's gun list (gbGunParam): the list's names, the first and last fire macro
// of a new entry, Add and Delete. Every change writes the whole file at once.
class GunListView : public QObject {
    Q_OBJECT

  public:
    struct Captions {
        QString group, first, last, add, remove;
    };
    GunListView(QWidget* sheet, const Captions& captions);

    // The list of `file` at start-up: in use when the file is there.
    void load(const std::filesystem::path& file);
    const GunList& list() const { return m_list; }
    // The listed entries' names, as the button editor's engineer gun keys offer them.
    QStringList names() const;

    void btn_AddScriptClick() { addEntry(); }
    void btn_DelScriptClick() { deleteSelected(); }
    void LB_ScriptNameClick() { showSelected(); }
    void addEntry();
    void deleteSelected();
    // The selected entry's first and last fire macro into the two combo boxes.
    void showSelected();

    QGroupBox* gbGunParam;
    QListWidget* LB_ScriptName;
    QComboBox* cb_SOSStartIndex;
    QComboBox* cb_SOSNumber;
    QPushButton* btn_AddScript;
    QPushButton* btn_DelScript;

  signals:
    // An entry was added or deleted, or the list was loaded.
    void listChanged();
    // The file could not be read or written; the text names it.
    void fileError(const QString& text);

  private:
    void relist();
    void save();

    GunList m_list;
    std::filesystem::path m_file;
};

}  // namespace vornik
