// The memo window TForm3 in Qt: builds the controls and forwards their events to
// ui::MemoLogic.
#pragma once

#include <QWidget>

#include <memory>
#include <string>

#include "gui/qt/qt_view.h"
#include "ui/memo_logic.h"
#include "ui/memo_view.h"

class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTabWidget;

namespace glyphgrab::gui {

class MainWindow;

class MemoWindow : public QWidget, public QtView<ui::MemoView> {
 public:
  // The memo, the settings and the desktop are the main window's and outlive this one.
  explicit MemoWindow(MainWindow& main, QWidget* parent = nullptr);
  ~MemoWindow() override;

  ui::MemoLogic& logic() { return *logic_; }
  // Shows the window on its edit page (the main window's "メモ" button).
  void ShowMemo();
  void MemoChanged() { logic_->MemoChanged(); }
  void StoreGeometry() { logic_->StoreGeometry(); }

  QTabWidget* PageControl1 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QListWidget* ListBox1 = nullptr;
  QPushButton* Button1 = nullptr;  // 閉じる
  QPushButton* Button2 = nullptr;  // 並び替え
  QPushButton* Button3 = nullptr;  // コピー
  QPushButton* Button4 = nullptr;  // 送信
  QPushButton* Button5 = nullptr;  // 全消去
  QStatusBar* StatusBar1 = nullptr;

  void FormShow() { logic_->FormShow(); }
  void FormActivate() { logic_->FormActivate(); }
  void Button2Click() { logic_->Button2Click(); }
  void Button3Click() { logic_->Button3Click(); }
  void Button4Click() { logic_->Button4Click(); }
  void Button5Click() { logic_->Button5Click(); }
  void ListBox1Click() { logic_->ListBox1Click(); }
  void ListBox1DblClick() { logic_->ListBox1DblClick(); }

  // ui::MemoView
  void SetEditText(std::u16string_view text) override;
  std::u16string EditText() const override;
  std::u16string EditSelection() const override;
  void FocusEdit() override;
  int Page() const override;
  void SetPage(int page) override;
  void ShowSelectionLines(const std::vector<std::u16string>& lines) override;
  std::vector<int> SelectedLines() const override;
  int CurrentLine() const override;
  bool AskYesNo(std::u16string_view text) override { return Confirm(text); }
  void Present() override;
  void Hide() override { hide(); }
  void Place(const TWindowGeometry& geometry) override;
  TWindowGeometry Geometry() const override;

 protected:
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::unique_ptr<ui::MemoLogic> logic_;
};

}  // namespace glyphgrab::gui
