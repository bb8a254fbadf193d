// The search window TForm4 in Qt: builds the controls and forwards their events to
// ui::SearchLogic.
#pragma once

#include <QWidget>

#include <array>
#include <string>

#include "gui/qt/qt_view.h"
#include "ui/search_logic.h"
#include "ui/search_view.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStatusBar;

namespace glyphgrab::gui {

class MainWindow;

class SearchWindow : public QWidget, public QtView<ui::SearchView> {
 public:
  // The main window has run its start-up: the settings are loaded.
  explicit SearchWindow(MainWindow& main, QWidget* parent = nullptr);
  ~SearchWindow() override;

  // Shows the window with the keyboard focus in the keyword box.
  void ShowSearch();
  void StoreSettings() { logic_->StoreSettings(); }
  bool Searching() const { return logic_->Searching(); }
  void RequestStop() { logic_->EscPressed(); }
  void Button1Click() { logic_->Button1Click(); }
  void ListBox1Click() { logic_->ListBox1Click(); }
  void Panel1Resize();

  QWidget* Panel1 = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  // CheckBox1..CheckBox9: JWW, JWS, JWC, JWK, TXT, CSV, HTML, file names, contents.
  std::array<QCheckBox*, ui::kSearchBoxes.size()> CheckBoxes{};  // as kSearchBoxes
  QPushButton* Button1 = nullptr;  // 検索開始
  QPushButton* Button2 = nullptr;  // 閉じる
  QLabel* ResultsHeader = nullptr;  // says what the number after ":" is
  QListWidget* ListBox1 = nullptr;
  QStatusBar* StatusBar1 = nullptr;

  // ui::SearchView
  std::u16string Keyword() const override;
  void ShowHistory(const std::vector<std::u16string>& entries, std::u16string_view keyword) override;
  void ShowChecks(const SearchOptions& on) override;
  SearchOptions Checks() const override;
  void Enable(ui::SearchControl control, bool on) override;
  void ClearResults() override;
  void AddResult(std::u16string_view line) override;
  int CurrentResult() const override;
  void Place(const TWindowGeometry& geometry) override;
  TWindowGeometry Geometry() const override;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::unique_ptr<ui::SearchLogic> logic_;
};

}  // namespace glyphgrab::gui
