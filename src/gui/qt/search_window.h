// The search window TForm4: a keyword with its history, the file types and modes, and a
// result list whose lines open their file in the main window. The walk runs on a worker
// thread with its own documents and folder listings, so the main window stays usable and
// its file list is never disturbed.
#pragma once

#include <QWidget>

#include <array>
#include <atomic>
#include <mutex>
#include <string>
#include <thread>

#include "search/file_find.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStatusBar;

namespace glyphgrab::gui {

class MainWindow;

class SearchWindow : public QWidget {
 public:
  // The main window has run its start-up: the settings are loaded.
  explicit SearchWindow(MainWindow& main, QWidget* parent = nullptr);
  ~SearchWindow() override;

  // Shows the window with the keyboard focus in the keyword box.
  void ShowSearch();
  // Check boxes, keyword history (the first 30) and geometry into the settings.
  void StoreSettings();

  bool Searching() const { return running_; }
  // What Esc does while a search runs.
  void RequestStop() { stopRequest_ = true; }
  QString statusText() const;

  QWidget* Panel1 = nullptr;
  QLabel* Label1 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  // CheckBox1..CheckBox9: JWW, JWS, JWC, JWK, TXT, CSV, HTML, file names, contents.
  std::array<QCheckBox*, 9> CheckBoxes{};
  QPushButton* Button1 = nullptr;  // 検索開始
  QPushButton* Button2 = nullptr;  // 閉じる
  QListWidget* ListBox1 = nullptr;
  QStatusBar* StatusBar1 = nullptr;

  void Button1Click();
  void ListBox1Click();
  void Panel1Resize();

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SetStatus(std::u16string_view text);
  void Finished(const SearchSummary& summary, const std::u16string& raw);
  void ShowProgress();
  void StopSearch();

  MainWindow& main_;
  std::thread thread_;
  std::atomic<bool> stopRequest_{false};
  bool running_ = false;

  // The newest progress path; one repaint request is pending at a time, so a fast walk
  // does not flood the event queue.
  std::mutex progressMutex_;
  std::u16string progressPath_;
  std::atomic<bool> progressPosted_{false};
};

}  // namespace glyphgrab::gui
