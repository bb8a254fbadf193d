#include "gui/qt/search_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QShortcut>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include <algorithm>

#include "extract/extract_driver.h"
#include "gui/qt/main_window.h"
#include "util/full_width.h"
#include "util/paths.h"
#include "util/strings.h"

namespace glyphgrab::gui {
namespace {

constexpr char16_t kSearchingText[] = u"検索中です";
constexpr char16_t kNoSearchModeText[] = u"ファイル名・ファイル内容のどちらを検索するか選択して下さい。";
constexpr char16_t kNoFileTypeText[] = u"検索するファイルの種類を選択して下さい。";
constexpr std::size_t kFirstSearchOption = 5;  // the nine boxes are options 5 to 13
constexpr int kKeywordMaxLength = 255;
constexpr int kMinKeywordWidth = 140;

}  // namespace

SearchWindow::SearchWindow(MainWindow& main, QWidget* parent)
    : QWidget(parent, Qt::Window), main_(main) {
  setWindowTitle(QStringLiteral("検索"));
  setFont(QFont(QStringLiteral("Tahoma")));

  Panel1 = new QWidget(this);
  Panel1->setFixedHeight(120);
  Label1 = new QLabel(QStringLiteral("検索する文字内容："), Panel1);
  ComboBox1 = new QComboBox(Panel1);
  ComboBox1->setEditable(true);
  ComboBox1->setInsertPolicy(QComboBox::NoInsert);
  ComboBox1->lineEdit()->setMaxLength(kKeywordMaxLength);

  GroupBox1 = new QGroupBox(QStringLiteral("検索するファイル形式"), Panel1);
  auto* types = new QGridLayout(GroupBox1);
  const char16_t* captions[] = {u"JWW", u"JWS", u"JWC", u"JWK", u"TXT", u"CSV", u"HTML",
                                u"ファイル名検索", u"ファイル内容検索"};
  for (std::size_t i = 0; i < CheckBoxes.size(); ++i) {
    CheckBoxes[i] = new QCheckBox(ToQ(captions[i]), Panel1);
    if (i < 7) types->addWidget(CheckBoxes[i], static_cast<int>(i / 4), static_cast<int>(i % 4));
  }
  Button1 = new QPushButton(QStringLiteral("検索開始(&S)"), Panel1);
  Button2 = new QPushButton(QStringLiteral("閉じる(&C)"), Panel1);

  auto* modes = new QVBoxLayout;
  modes->addWidget(CheckBoxes[7]);
  modes->addWidget(CheckBoxes[8]);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  auto* row = new QHBoxLayout;
  row->addWidget(GroupBox1);
  row->addLayout(modes);
  row->addLayout(buttons);
  row->addStretch();
  auto* panelLayout = new QVBoxLayout(Panel1);
  panelLayout->setContentsMargins(8, 4, 8, 4);
  panelLayout->setSpacing(2);
  panelLayout->addWidget(Label1);
  // The keyword box is placed by Panel1Resize, outside the layout, so that its width
  // follows the panel without holding the window at a minimum size.
  panelLayout->addSpacing(ComboBox1->sizeHint().height() + 2);
  panelLayout->addLayout(row);
  Panel1->installEventFilter(this);

  ListBox1 = new QListWidget(this);
  StatusBar1 = new QStatusBar(this);
  StatusBar1->setSizeGripEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Panel1);
  layout->addWidget(ListBox1, 1);
  layout->addWidget(StatusBar1);

  const TSettings& s = main_.settings();
  for (std::size_t i = 0; i < CheckBoxes.size(); ++i) {
    CheckBoxes[i]->setChecked(s.optFlags[kFirstSearchOption + i]);
  }
  for (const std::u16string& keyword : s.keywordHistory) {
    if (!keyword.empty()) ComboBox1->addItem(ToQ(keyword));
  }
  ComboBox1->setEditText(QString());
  PlaceOnScreen(this, s.searchWindow.left, s.searchWindow.top, std::max(s.searchWindow.width, 200),
                std::max(s.searchWindow.height, 200));

  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { hide(); });
  connect(ListBox1, &QListWidget::itemClicked, this, [this] { ListBox1Click(); });
  // Enter on a result opens it, as a click does.
  for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
    auto* open = new QShortcut(QKeySequence(key), ListBox1);
    open->setContext(Qt::WidgetShortcut);
    connect(open, &QShortcut::activated, this, [this] { ListBox1Click(); });
  }
}

SearchWindow::~SearchWindow() { StopSearch(); }

void SearchWindow::StopSearch() {
  if (!thread_.joinable()) return;
  stopRequest_ = true;
  thread_.join();
}

QString SearchWindow::statusText() const { return StatusBar1->currentMessage(); }

void SearchWindow::SetStatus(std::u16string_view text) {
  if (text.empty()) {
    StatusBar1->clearMessage();
  } else {
    StatusBar1->showMessage(ToQ(text));
  }
}

void SearchWindow::ShowSearch() {
  show();
  raise();
  activateWindow();
  ComboBox1->setFocus();
}

void SearchWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  ComboBox1->setFocus();
  Panel1Resize();
}

void SearchWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && running_) {
    RequestStop();
    return;
  }
  QWidget::keyPressEvent(event);
}

bool SearchWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Panel1 && event->type() == QEvent::Resize) Panel1Resize();
  return QWidget::eventFilter(watched, event);
}

void SearchWindow::Panel1Resize() {
  const int left = Label1->x();  // the panel layout's left margin
  const int width = Panel1->width() - left - 6;
  ComboBox1->setGeometry(left, Label1->geometry().bottom() + 2, std::max(width, kMinKeywordWidth),
                         ComboBox1->sizeHint().height());
}

void SearchWindow::StoreSettings() {
  TSettings& s = main_.settings();
  for (std::size_t i = 0; i < CheckBoxes.size(); ++i) {
    s.optFlags[kFirstSearchOption + i] = CheckBoxes[i]->isChecked();
  }
  s.keywordHistory.clear();
  for (int i = 0; i < ComboBox1->count() && i < kKeywordHistoryLines; ++i) {
    s.keywordHistory.push_back(FromQ(ComboBox1->itemText(i)));
  }
  s.searchWindow = TWindowGeometry{x(), y(), width(), height()};
}

void SearchWindow::Button1Click() {
  if (running_) return;
  SetStatus(u"");
  const std::u16string raw = FromQ(ComboBox1->currentText());
  if (RemoveBlanks(raw).empty()) return;
  // Nothing would be searched: say why instead of doing nothing.
  if (!CheckBoxes[7]->isChecked() && !CheckBoxes[8]->isChecked()) {
    SetStatus(kNoSearchModeText);
    return;
  }
  if (std::none_of(CheckBoxes.begin(), CheckBoxes.begin() + 7, [](QCheckBox* b) { return b->isChecked(); })) {
    SetStatus(kNoFileTypeText);
    return;
  }

  Button1->setEnabled(false);
  Button2->setEnabled(false);
  SetStatus(kSearchingText);
  TSettings& s = main_.settings();
  for (std::size_t i = 0; i < CheckBoxes.size(); ++i) {
    s.optFlags[kFirstSearchOption + i] = CheckBoxes[i]->isChecked();
  }
  ListBox1->clear();

  const std::u16string& folder = main_.preFolder();
  std::u16string folderProblem;
  if (RemoveBlanks(folder).empty()) {
    folderProblem = kNoFolderText;
  } else if (!IsFolder(folder)) {
    folderProblem = kFolderMissingText;
  }
  if (!folderProblem.empty()) {
    main_.ShowStatus(folderProblem);
    // Nothing was searched, so "searching" must not stay in the status bar.
    SetStatus(u"");
    Finished(SearchSummary{}, raw);
    return;
  }

  SearchOptions options;
  options.jww = CheckBoxes[0]->isChecked();
  options.jws = CheckBoxes[1]->isChecked();
  options.jwc = CheckBoxes[2]->isChecked();
  options.jwk = CheckBoxes[3]->isChecked();
  options.txt = CheckBoxes[4]->isChecked();
  options.csv = CheckBoxes[5]->isChecked();
  options.html = CheckBoxes[6]->isChecked();
  options.names = CheckBoxes[7]->isChecked();
  options.contents = CheckBoxes[8]->isChecked();

  StopSearch();
  stopRequest_ = false;
  running_ = true;
  EscKeyState* esc = main_.desktop().esc.get();
  thread_ = std::thread([this, tree = main_.folderTree(), keyword = NormalizeForMatch(raw), options,
                         esc, raw] {
    SearchCallbacks callbacks;
    callbacks.progress = [this](const std::u16string& path) {
      {
        std::lock_guard<std::mutex> lock(progressMutex_);
        progressPath_ = path;
      }
      if (!progressPosted_.exchange(true)) {
        QMetaObject::invokeMethod(this, [this] { ShowProgress(); }, Qt::QueuedConnection);
      }
    };
    callbacks.found = [this](const SearchResult& result) {
      QMetaObject::invokeMethod(
          this, [this, line = result.Line()] { ListBox1->addItem(ToQ(line)); },
          Qt::QueuedConnection);
    };
    callbacks.stop = [this, esc] { return stopRequest_.load() || (esc && esc->IsEscDown()); };
    const SearchSummary summary = FileFind(tree, keyword, options, callbacks);
    QMetaObject::invokeMethod(
        this, [this, summary, raw] { Finished(summary, raw); }, Qt::QueuedConnection);
  });
}

void SearchWindow::ShowProgress() {
  progressPosted_ = false;
  if (!running_) return;
  std::u16string path;
  {
    std::lock_guard<std::mutex> lock(progressMutex_);
    path = progressPath_;
  }
  SetStatus(SearchProgressText(path));
}

void SearchWindow::Finished(const SearchSummary& summary, const std::u16string& raw) {
  if (thread_.joinable()) {
    thread_.join();
    running_ = false;
    SetStatus(summary.StatusText());
  }
  // The history keeps the newest form of a keyword at the top, whatever its letter case.
  const int found = ComboBox1->findText(ToQ(raw), Qt::MatchFixedString);  // case-insensitive
  if (found >= 0) ComboBox1->removeItem(found);
  ComboBox1->insertItem(0, ToQ(raw));
  ComboBox1->setCurrentIndex(0);
  ComboBox1->setEditText(ToQ(raw));
  Button1->setEnabled(true);
  Button2->setEnabled(true);
}

void SearchWindow::ListBox1Click() {
  QListWidgetItem* item = ListBox1->currentItem();
  if (ListBox1->count() == 0 || item == nullptr) return;
  std::u16string path;
  int node = 0;
  if (!ParseResultLine(FromQ(item->text()), path, node)) return;
  main_.FileSel(node, path);
}

}  // namespace glyphgrab::gui
