// The main window TForm1 in Qt: builds the controls and forwards their events to
// ui::MainLogic, which decides what they do.
#pragma once

#include <QMainWindow>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

#include "browse/app_files.h"
#include "gui/qt/desktop.h"
#include "gui/qt/qt_view.h"
#include "ui/main_logic.h"
#include "ui/main_view.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSplitter;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace glyphgrab::gui {

class SettingsDialog;
class DrawingPreview;

class MainWindow : public QMainWindow, public QtView<ui::MainView> {
 public:
  MainWindow(TAppFiles files, ui::Desktop desktop, QtBoxes boxes, QWidget* parent = nullptr);
  ~MainWindow() override;

  ui::MainLogic& logic() { return *logic_; }
  const ui::MainLogic& logic() const { return *logic_; }

  // The logic's calls, for the application and the tests.
  void OpenAtStartUp(std::u16string path) { logic_->OpenAtStartUp(std::move(path)); }
  void StartUp() { logic_->StartUp(); }
  void NoticesAfterShow() { logic_->NoticesAfterShow(); }
  void Closing() { logic_->Closing(); }
  // Closes the window with nobody to answer a box (a termination signal): a failed save
  // goes to stderr only, so the tool still ends.
  void CloseUnattended();
  // Once closed, a hand-over that was already queued must not show the window again.
  bool HasClosed() const { return closed_; }
  void SaveState() { logic_->SaveState(); }
  void OpenPath(const std::u16string& path) { logic_->OpenPath(path); }
  void BrowseForFolderAccept(const std::u16string& folder) { logic_->BrowseForFolderAccept(folder); }
  void FileSel(int ind, const std::u16string& fn) { logic_->FileSel(ind, fn); }
  bool ExtractionRunning() const { return logic_->ExtractionRunning(); }
  bool TreeScanRunning() const { return logic_->TreeScanRunning(); }
  TSettings& settings() { return logic_->settings(); }
  TMemoText& memo() { return logic_->memo(); }
  const std::u16string& preFolder() const { return logic_->preFolder(); }
  const FolderTree& folderTree() const { return logic_->folderTree(); }
  const std::vector<FileListRow>& fileRows() const { return logic_->fileRows(); }
  ui::Desktop& desktop() { return logic_->desktop(); }
  SettingsDialog* settingsDialog() const { return form2_; }
  void TreeView1Click() { logic_->TreeView1Click(); }
  void ComboBox1Select() { logic_->ComboBox1Select(); }
  void ListView1Click() { logic_->ListView1Click(); }
  void ListView1DblClick() { logic_->ListView1DblClick(); }
  void ListView1ColumnClick(int column) { logic_->ListView1ColumnClick(column); }
  void ListBox1Click() { logic_->ListBox1Click(); }
  void ListBox1DblClick() { logic_->ListBox1DblClick(); }
  void ListBox1ContextPopup() { logic_->ListBox1ContextPopup(); }

  // The controls, named as the tool has always named them; tests drive them.
  QLabel* Label1 = nullptr;
  QPushButton* ButtonF = nullptr;
  QTreeWidget* TreeView1 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QPushButton* Button2 = nullptr;  // 設定
  QPushButton* Button3 = nullptr;  // メモ
  QPushButton* ButtonT = nullptr;  // 検索
  QPushButton* ButtonX = nullptr;  // 終了
  QPushButton* ButtonP = nullptr;  // 図面: shows or hides the preview
  QSplitter* PreviewSplitter = nullptr;
  DrawingPreview* Preview = nullptr;
  QTableWidget* ListView1 = nullptr;
  QListWidget* ListBox1 = nullptr;
  QSplitter* Splitter = nullptr;

  // ui::MainView
  std::u16string StatusText() const override { return FromQ(statusText()); }
  void Enable(ui::MainControl control, bool on) override;
  void SetFolderLabel(std::u16string_view text) override;
  void SetRootButtonText(std::u16string_view text) override;
  void FocusRootButton() override;
  void SetTreeVisible(bool visible) override;
  void ShowTree(const FolderTree& tree) override;
  void ExpandTree() override;
  void SelectNode(int index) override;
  int SelectedNode() const override;
  int FilterIndex() const override;
  void SetFilterIndex(int index) override;
  void ShowFileRows(const std::vector<FileListRow>& rows) override;
  std::vector<int> SelectedFileRows() const override;
  void SelectFileRow(int row) override;
  void ShowLines(const std::vector<std::u16string>& lines) override;
  int CurrentLine() const override;
  std::vector<int> SelectedLines() const override;
  void SetBusyCursor(bool busy) override;
  void ShowPreviewPane(bool visible) override;
  void SetPreviewDrawing(std::shared_ptr<const RenderModel> drawing) override;
  void SetPreviewMark(const std::u16string& text) override;
  void SetPreviewNote(std::u16string_view text) override;
  void ApplyLayout(const TSettings& settings, const TPreviewSettings& preview) override;
  void StoreLayout(TSettings& settings, TPreviewSettings& preview) override;
  std::u16string ChooseFolder(std::u16string_view title, std::u16string_view start) override;
  void ShowSettingsDialog() override;
  bool IsShown() const override { return isVisible(); }
  void StartKeySelectTimer(int milliseconds) override { keySelectTimer_.start(milliseconds); }
  void StopKeySelectTimer() override { keySelectTimer_.stop(); }
  void StartMemoSaveTimer(int milliseconds) override { memoSaveTimer_.start(milliseconds); }
  void StopMemoSaveTimer() override { memoSaveTimer_.stop(); }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool closed_ = false;
  void BuildControls();
  void ApplyPaneWidths();

  QtBoxes boxes_;
  QTimer memoSaveTimer_;
  QTimer keySelectTimer_;
  bool paneWidthsShown_ = false;
  QList<int> paneSizes_;  // as last set or dragged: the base a new window width shares from
  std::vector<QTreeWidgetItem*> nodeItems_;
  SettingsDialog* form2_ = nullptr;
  // Last: it goes first, while the controls it drives still exist.
  std::unique_ptr<ui::MainLogic> logic_;
};

}  // namespace glyphgrab::gui
