// The memo window TForm3: an edit page with the memo text and a selection page of its
// non-empty lines, from which lines are copied or sent like extraction lines.
#pragma once

#include <QWidget>

#include <functional>
#include <string>

#include "browse/settings.h"
#include "gui/qt/desktop.h"
#include "memo/memo_text.h"

class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTabWidget;

namespace glyphgrab::gui {

class MemoWindow : public QWidget {
 public:
  // The memo, the settings (active send profile, window geometry) and the desktop belong
  // to the main window and outlive this one.
  MemoWindow(TMemoText& memo, TSettings& settings, Desktop& desktop, QWidget* parent = nullptr);
  ~MemoWindow() override;

  // Shows the window on its edit page (the main window's "メモ" button).
  void ShowMemo();
  // The memo changed outside the window (lines added from the extraction list).
  void MemoChanged();
  // Puts the position and size into the settings.
  void StoreGeometry();

  // A Yes/No question; true for Yes. Tests replace it.
  std::function<bool(QWidget* parent, const QString& text)> confirm;

  QTabWidget* PageControl1 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QListWidget* ListBox1 = nullptr;
  QPushButton* Button1 = nullptr;  // 閉じる
  QPushButton* Button2 = nullptr;  // 並び替え
  QPushButton* Button3 = nullptr;  // コピー
  QPushButton* Button4 = nullptr;  // 送信
  QPushButton* Button5 = nullptr;  // 全消去
  QStatusBar* StatusBar1 = nullptr;

  QString statusText() const;

  void FormShow();
  void FormActivate();
  void Button2Click();
  void Button3Click();
  void Button4Click();
  void Button5Click();
  void ListBox1Click();
  void ListBox1DblClick();
  void PageControl1Change(int page);

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  // Alt+C and Alt+S each name two controls; they act on the one of the page shown
  // (see the constructor). True when the key was one of them.
  bool PageShortcut(int key);
  void SetStatus(std::u16string_view text);
  QString EditText() const;
  void PullText();  // the edit box's text into the memo
  void PushText();  // the memo into the edit box
  void ShowLineCount();
  // The text the copy and send buttons act on; empty with the status message shown.
  bool ComposeSelection(bool forSend, std::u16string& text);
  bool Send(const std::u16string& text, const std::u16string& copiedMessage);

  TMemoText& memo_;
  TSettings& settings_;
  Desktop& desktop_;
  bool pushing_ = false;
};

}  // namespace glyphgrab::gui
