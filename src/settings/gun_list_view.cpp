#include "settings/gun_list_view.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace vornik {

namespace {

QStringList macroNumbers() {
    QStringList items;
    for (int k = 1; k <= 10; ++k) items << QString::number(k);
    return items;
}

}  // namespace

GunListView::GunListView(QWidget* sheet, const Captions& captions) : QObject(sheet) {
    gbGunParam = new QGroupBox(captions.group, sheet);
    gbGunParam->setObjectName("gbGunParam");
    gbGunParam->setGeometry(520, 10, 300, 200);
    auto* grid = new QGridLayout(gbGunParam);
    LB_ScriptName = new QListWidget(gbGunParam);
    LB_ScriptName->setObjectName("LB_ScriptName");
    auto* first = new QLabel(captions.first, gbGunParam);
    cb_SOSStartIndex = new QComboBox(gbGunParam);
    cb_SOSStartIndex->setObjectName("cb_SOSStartIndex");
    cb_SOSStartIndex->addItems(macroNumbers());
    auto* last = new QLabel(captions.last, gbGunParam);
    cb_SOSNumber = new QComboBox(gbGunParam);
    cb_SOSNumber->setObjectName("cb_SOSNumber");
    cb_SOSNumber->addItems(macroNumbers());
    btn_AddScript = new QPushButton(captions.add, gbGunParam);
    btn_AddScript->setObjectName("btn_AddScript");
    btn_DelScript = new QPushButton(captions.remove, gbGunParam);
    btn_DelScript->setObjectName("btn_DelScript");
    grid->addWidget(LB_ScriptName, 0, 0, 4, 1);
    grid->addWidget(first, 0, 1);
    grid->addWidget(cb_SOSStartIndex, 0, 2);
    grid->addWidget(last, 1, 1);
    grid->addWidget(cb_SOSNumber, 1, 2);
    grid->addWidget(btn_AddScript, 2, 1, 1, 2);
    grid->addWidget(btn_DelScript, 3, 1, 1, 2);

    connect(btn_AddScript, &QPushButton::clicked, this, &GunListView::btn_AddScriptClick);
    connect(btn_DelScript, &QPushButton::clicked, this, &GunListView::btn_DelScriptClick);
    connect(LB_ScriptName, &QListWidget::itemClicked, this, &GunListView::LB_ScriptNameClick);
}

void GunListView::load(const std::filesystem::path& file) {
    m_file = file;
    std::string error;
    m_list = loadGunListFile(file, error);
    if (!error.empty()) emit fileError(QString::fromStdString(error));
    relist();
    emit listChanged();
}

QStringList GunListView::names() const {
    QStringList names;
    for (const GunList::Entry& entry : m_list.entries())
        names << QString::fromStdString(entry.name);
    return names;
}

void GunListView::relist() {
    LB_ScriptName->clear();
    LB_ScriptName->addItems(names());
}

void GunListView::save() {
    std::string error;
    if (!saveGunListFile(m_file, m_list, error)) emit fileError(QString::fromStdString(error));
}

void GunListView::addEntry() {
    if (!m_list.add(cb_SOSStartIndex->currentIndex() + 1, cb_SOSNumber->currentIndex() + 1)) return;
    relist();
    LB_ScriptName->scrollToBottom();
    save();
    emit listChanged();
}

void GunListView::deleteSelected() {
    const int row = LB_ScriptName->currentRow();
    const auto entries = m_list.entries();
    if (row < 0 || row >= static_cast<int>(entries.size())) return;
    if (!m_list.remove(entries[static_cast<std::size_t>(row)].slot)) return;
    relist();
    // The entry before the deleted one, or the first when the first went.
    if (LB_ScriptName->count() > 0) LB_ScriptName->setCurrentRow(row > 0 ? row - 1 : 0);
    save();
    emit listChanged();
}

void GunListView::showSelected() {
    const int row = LB_ScriptName->currentRow();
    const auto entries = m_list.entries();
    if (row < 0 || row >= static_cast<int>(entries.size())) return;
    const GunList::Entry& entry = entries[static_cast<std::size_t>(row)];
    cb_SOSStartIndex->setCurrentIndex(entry.firstMacro - 1);
    cb_SOSNumber->setCurrentIndex(entry.lastMacro - 1);
}

}  // namespace vornik
