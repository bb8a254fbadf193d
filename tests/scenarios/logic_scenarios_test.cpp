// The scenarios against the windows' logic with recording views: the keys and clicks
// become the events the front ends forward, and what shows is what the logic gave the
// views. Geometry needs widgets and is left to the editions' runs.
#include <gtest/gtest.h>

#include <thread>

#include "browse/settings.h"
#include "scenarios.h"
#include "ui/search_logic.h"
#include "ui/ui_fixture.h"

namespace glyphgrab {
namespace {

using testing::FakeSearchView;
using testing::U16;

class LogicDriver final : public scenarios::Driver {
 public:
  ~LogicDriver() override {
    search_.reset();
    ui_.logic.reset();
  }

  void Start(const scenarios::StartState& state) override {
    TSettings s;
    s.rootFolder = AddTrailingDelim(U16(state.root));
    s.preFolder = U16(state.folder);
    SettingsSave(ui_.Files().settingsFile, s);
    ui_.Start();
  }
  std::u16string RootCaption() override { return ui_.view.rootButton; }
  void KeysToFile(std::u16string_view name) override {
    // Each key moves the selection one row: the logic hears of every move, and the
    // timer that follows the last one opens it.
    const auto& rows = ui_.view.rows;
    for (std::size_t r = 0; r < rows.size(); ++r) {
      ui_.view.selectedRows = {static_cast<int>(r)};
      ui_.logic->SelectedByKey(ui::SelectPane::kFiles);
      if (rows[r] == name) break;
    }
    ASSERT_NE(ui_.view.keySelectTimer, 0);
    ui_.logic->KeySelectTimer();
  }
  std::vector<std::u16string> Lines() override {
    EXPECT_TRUE(ui_.view.RunUntil([&] { return !ui_.logic->ExtractionRunning(); }));
    return ui_.view.lines;
  }
  std::optional<std::pair<int, int>> DateColumn() override { return std::nullopt; }
  std::optional<scenarios::MainShape> Shape() override { return std::nullopt; }
  void HandOver(const std::filesystem::path& path) override { ui_.logic->OpenPath(U16(path)); }
  void Search(std::u16string_view keyword) override {
    search_ = std::make_unique<ui::SearchLogic>(searchView_, *ui_.logic);
    search_->Init();
    searchView_.checks = {kAllSearchKinds, true, true};
    searchView_.keyword = keyword;
    search_->Button1Click();
  }
  void EscInSearch() override { search_->EscPressed(); }
  std::u16string SearchStatus() override {
    EXPECT_TRUE(searchView_.RunUntil([&] { return !search_->Searching(); }));
    return searchView_.status;
  }
  std::optional<bool> SearchButtonsShown() override { return std::nullopt; }

 private:
  testing::UiFixture ui_;
  FakeSearchView searchView_;
  std::unique_ptr<ui::SearchLogic> search_;
};

std::unique_ptr<scenarios::Driver> MakeLogicDriver() { return std::make_unique<LogicDriver>(); }

GLYPHGRAB_SCENARIO_TESTS(LogicScenarios, MakeLogicDriver)

}  // namespace
}  // namespace glyphgrab
