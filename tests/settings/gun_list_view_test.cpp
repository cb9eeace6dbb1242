// The engineer page's gun list: what Add and Delete do to the list and to its file.
#include "settings/gun_list_view.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <fstream>

#include "../model/temporary_folder.h"

namespace vornik {
namespace {

class GunListViewTest : public ::testing::Test {
  protected:
    std::vector<std::uint8_t> fileBytes() {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    QStringList listed() {
        QStringList names;
        for (int i = 0; i < view.LB_ScriptName->count(); ++i)
            names << view.LB_ScriptName->item(i)->text();
        return names;
    }
    void add(int first, int last) {
        view.cb_SOSStartIndex->setCurrentIndex(first - 1);
        view.cb_SOSNumber->setCurrentIndex(last - 1);
        view.btn_AddScript->click();
    }

    test::TemporaryFolder folder{"gun-list-view"};
    std::filesystem::path file = folder.path() / kGunListFileName;
    QWidget sheet;
    GunListView view{&sheet, {"Gun", "First", "Last", "Add", "Delete"}};
};

TEST_F(GunListViewTest, AddAndDeleteRewriteTheWholeFile) {
    view.load(file);
    EXPECT_FALSE(view.list().inUse());
    EXPECT_TRUE(listed().isEmpty());
    QSignalSpy changes(&view, &GunListView::listChanged);

    add(3, 5);
    EXPECT_EQ(listed(), QStringList{"Fire Macro1"});
    std::vector<std::uint8_t> expected(30, 0);
    expected[0] = 0x0C;
    expected[1] = 3;
    expected[2] = 5;
    EXPECT_EQ(fileBytes(), expected);
    add(1, 2);
    add(4, 4);
    add(6, 10);
    EXPECT_EQ(changes.count(), 4);

    // Deleting entry 2 of four moves 3 and 4 up and selects the entry before it.
    view.LB_ScriptName->setCurrentRow(1);
    view.btn_DelScript->click();
    EXPECT_EQ(listed(), (QStringList{"Fire Macro1", "Fire Macro2", "Fire Macro3"}));
    EXPECT_EQ(view.LB_ScriptName->currentRow(), 0);
    const std::vector<std::uint8_t> afterDelete = fileBytes();
    ASSERT_EQ(afterDelete.size(), 30u);
    EXPECT_EQ(std::vector<std::uint8_t>(afterDelete.begin(), afterDelete.begin() + 12),
              (std::vector<std::uint8_t>{0x0C, 3, 5, 0x0C, 4, 4, 0x0C, 6, 10, 0, 0, 0}));
    // The first deleted: the new first is selected.
    view.LB_ScriptName->setCurrentRow(0);
    view.btn_DelScript->click();
    EXPECT_EQ(view.LB_ScriptName->currentRow(), 0);
    EXPECT_EQ(listed().size(), 2);

    // Choosing an entry shows its macros; a restart reads the list back, in use.
    view.LB_ScriptName->setCurrentRow(1);
    view.showSelected();
    EXPECT_EQ(view.cb_SOSStartIndex->currentText(), "6");
    EXPECT_EQ(view.cb_SOSNumber->currentText(), "10");
    GunListView again{&sheet, {}};
    again.load(file);
    EXPECT_TRUE(again.list().inUse());
    EXPECT_EQ(again.names(), listed());
}

TEST_F(GunListViewTest, TenEntriesAreTheMost) {
    view.load(file);
    for (int i = 0; i < 10; ++i) add(1, 1);
    const std::vector<std::uint8_t> full = fileBytes();
    add(2, 2);
    EXPECT_EQ(listed().size(), 10);
    EXPECT_EQ(fileBytes(), full);
}

TEST_F(GunListViewTest, AFileThatCannotBeWrittenIsSaid) {
    std::filesystem::create_directory(file);  // a folder where the file should be
    QSignalSpy errors(&view, &GunListView::fileError);
    view.load(file);
    add(1, 2);
    EXPECT_EQ(errors.count(), 2);  // not read, then not written
    EXPECT_EQ(listed(), QStringList{"Fire Macro1"});
}

}  // namespace
}  // namespace vornik
