// The scenarios against the Qt windows on the offscreen platform: keys and clicks go
// through QTest to the widgets, and what shows is read from them.
#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QComboBox>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QtTest>

#include <gtest/gtest.h>

#include "browse/settings.h"
#include "gui/gui_fixture.h"
#include "gui/qt/search_window.h"
#include "gui/qt/qt_view.h"
#include "scenarios.h"
#include "ui/main_logic.h"

namespace glyphgrab {
namespace {

using testing::U16;
namespace fs = std::filesystem;

class QtDriver final : public scenarios::Driver {
 public:
  ~QtDriver() override {
    search_.reset();
    if (window_) window_->Closing();
    window_.reset();
  }

  void Start(const scenarios::StartState& state) override {
    TSettings s;
    s.rootFolder = AddTrailingDelim(U16(state.root));
    s.preFolder = U16(state.folder);
    if (state.mainWidth > 0) s.mainWindow = {64, 64, state.mainWidth, 520};
    if (state.treeWidth > 0) s.treePaneWidth = state.treeWidth;
    if (state.listWidth > 0) s.listWidth = state.listWidth;
    ASSERT_TRUE(SettingsSave(U16(app_.path() / "glyphgrab.dat"), s));
    window_ = std::make_unique<gui::MainWindow>(testing::TestAppFiles(app_.path()), testing::TestDesktop(probe_),
                                                testing::TestBoxes(probe_));
    window_->OpenAtStartUp({});
    window_->StartUp();
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window_->TreeScanRunning(); }, 10000));
  }
  std::u16string RootCaption() override { return gui::FromQ(window_->ButtonF->text()); }
  void KeysToFile(std::u16string_view name) override {
    QTableWidget* list = window_->ListView1;
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    for (int r = 0; r < list->rowCount() && gui::FromQ(list->item(list->currentRow(), 0)->text()) != name; ++r) {
      QTest::keyClick(list, Qt::Key_Down);
    }
    // The selection opens once the keys rest.
    QTest::qWait(ui::kKeySelectDelay + 100);
  }
  std::vector<std::u16string> Lines() override {
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window_->ExtractionRunning(); }, 10000));
    std::vector<std::u16string> lines;
    for (int i = 0; i < window_->ListBox1->count(); ++i) lines.push_back(gui::FromQ(window_->ListBox1->item(i)->text()));
    return lines;
  }
  std::optional<std::pair<int, int>> DateColumn() override {
    QTableWidget* list = window_->ListView1;
    return std::pair{list->columnWidth(ui::kDateColumn),
                     list->fontMetrics().horizontalAdvance(gui::ToQ(ui::kDateTimeSample))};
  }
  std::optional<scenarios::MainShape> Shape() override {
    QTest::qWait(50);  // the splitter's share-out after the first layout
    const QList<int> sizes = window_->Splitter->sizes();
    return scenarios::MainShape{window_->width(), window_->minimumSizeHint().width(), sizes[0], sizes[1], sizes[2]};
  }
  void HandOver(const fs::path& path) override { window_->OpenPath(U16(path)); }
  void Search(std::u16string_view keyword) override {
    OpenSearch();
    for (QCheckBox* box : search_->CheckBoxes) {
      if (!box->isChecked()) QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
    }
    search_->ComboBox1->setEditText(gui::ToQ(keyword));
    QTest::mouseClick(search_->Button1, Qt::LeftButton);
  }
  void EscInSearch() override { QTest::keyClick(search_.get(), Qt::Key_Escape); }
  std::u16string SearchStatus() override {
    EXPECT_TRUE(QTest::qWaitFor([&] { return !search_->Searching(); }, 10000));
    return gui::FromQ(search_->StatusBar1->currentMessage());
  }
  std::optional<bool> SearchButtonsShown() override {
    OpenSearch();
    const QRect inside = search_->rect();
    const auto whole = [&](QWidget* w) { return inside.contains(QRect(w->mapTo(search_.get(), QPoint(0, 0)), w->size())); };
    return whole(search_->Button1) && whole(search_->Button2);
  }

 private:
  void OpenSearch() {
    if (!search_) search_ = std::make_unique<gui::SearchWindow>(*window_, window_.get());
    search_->ShowSearch();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(search_.get()));
  }

  testing::TempDir app_;
  testing::GuiProbe probe_;
  std::unique_ptr<gui::MainWindow> window_;
  std::unique_ptr<gui::SearchWindow> search_;
};

std::unique_ptr<scenarios::Driver> MakeQtDriver() { return std::make_unique<QtDriver>(); }

GLYPHGRAB_SCENARIO_TESTS(QtScenarios, MakeQtDriver)

}  // namespace
}  // namespace glyphgrab

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
