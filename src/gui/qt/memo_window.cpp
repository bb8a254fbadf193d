#include "gui/qt/memo_window.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>

#include "sendkeys/send.h"
#include "util/strings.h"

namespace glyphgrab::gui {
namespace {

constexpr char16_t kNothingToCopy[] = u"文字内容が選択されていませんのでコピーは行えません。";
constexpr char16_t kNothingToSend[] = u"文字内容が選択されていませんので送信は行えません。";
constexpr char16_t kNoItemToCopy[] = u"選択項目が指定されていませんのでコピーは行えません。";
constexpr char16_t kNoItemToSend[] = u"選択項目が指定されていませんので送信は行えません。";
constexpr char16_t kCopiedPlain[] = u"文字をコピーしました。";
constexpr int kOneLineColumns = 255;

}  // namespace

MemoWindow::MemoWindow(TMemoText& memo, TSettings& settings, Desktop& desktop, QWidget* parent)
    : QWidget(parent, Qt::Window), memo_(memo), settings_(settings), desktop_(desktop) {
  setWindowTitle(QStringLiteral("メモ"));
  setFont(QFont(QStringLiteral("Tahoma")));

  PageControl1 = new QTabWidget(this);
  Memo1 = new QPlainTextEdit(PageControl1);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);  // each stored line is one memo line
  ListBox1 = new QListWidget(PageControl1);
  ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  PageControl1->addTab(Memo1, QStringLiteral("編集(&E)"));
  PageControl1->addTab(ListBox1, QStringLiteral("選択・コピー・送信(&S)"));

  auto* panel = new QWidget(this);
  panel->setFixedHeight(36);
  Button1 = new QPushButton(QStringLiteral("閉じる(&C)"), panel);
  Button2 = new QPushButton(QStringLiteral("並び替え(&S)"), panel);
  Button3 = new QPushButton(QStringLiteral("選択内容をコピー(&C)"), panel);
  Button4 = new QPushButton(QStringLiteral("選択内容を送信(&M)"), panel);
  Button5 = new QPushButton(QStringLiteral("メモ内容を全消去(&D)"), panel);
  auto* buttons = new QHBoxLayout(panel);
  buttons->setContentsMargins(4, 2, 4, 2);
  for (QPushButton* b : {Button1, Button2, Button3, Button4, Button5}) buttons->addWidget(b);
  buttons->addStretch();

  StatusBar1 = new QStatusBar(this);
  StatusBar1->setSizeGripEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(PageControl1, 1);
  layout->addWidget(panel);
  layout->addWidget(StatusBar1);

  const TWindowGeometry& g = settings_.memoWindow;
  PlaceOnScreen(this, g.left, g.top, std::max(g.width, 200), std::max(g.height, 150));

  confirm = [](QWidget* parentWidget, const QString& text) {
    return QMessageBox::question(parentWidget, QStringLiteral("確認"), text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
  };

  connect(Memo1, &QPlainTextEdit::textChanged, this, [this] {
    if (!pushing_) PullText();
  });
  // Alt+C and Alt+S each belong to two captions, and Qt only moves the focus between
  // ambiguous mnemonics. The buttons give theirs up and the window decides by page:
  // Alt+S goes from the edit page to the selection page and sorts there; Alt+C copies
  // when the page shown has a selection and closes the window otherwise.
  for (QPushButton* b : {Button1, Button2, Button3}) b->setShortcut(QKeySequence());
  qApp->installEventFilter(this);
  connect(Button1, &QPushButton::clicked, this, [this] { hide(); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
  connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
  connect(Button4, &QPushButton::clicked, this, [this] { Button4Click(); });
  connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
  connect(ListBox1, &QListWidget::itemClicked, this, [this] { ListBox1Click(); });
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { ListBox1DblClick(); });
  connect(PageControl1, &QTabWidget::currentChanged, this, [this](int page) { PageControl1Change(page); });

  PushText();
}

// The edit box is destroyed after this object; its last signals must not reach it.
MemoWindow::~MemoWindow() { disconnect(Memo1, nullptr, this, nullptr); }

QString MemoWindow::statusText() const { return StatusBar1->currentMessage(); }

void MemoWindow::SetStatus(std::u16string_view text) { StatusBar1->showMessage(ToQ(text)); }

// The edit box's text as typed: toPlainText would turn every no-break space into a blank
// and every U+2028 into a line break, in the whole memo.
QString MemoWindow::EditText() const {
  QString text = Memo1->document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return text;
}

void MemoWindow::PullText() { memo_.SetText(FromQ(EditText())); }

void MemoWindow::PushText() {
  pushing_ = true;
  // The edit box separates lines with LF; the memo keeps CR LF.
  QString text = ToQ(memo_.Text());
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  Memo1->setPlainText(text);
  pushing_ = false;
}

void MemoWindow::ShowLineCount() { SetStatus(MemoLineCountMessage(memo_.LineCount())); }

void MemoWindow::ShowMemo() {
  MemoChanged();
  show();
  raise();
  activateWindow();
  FormShow();
}

void MemoWindow::MemoChanged() {
  // Refilling the edit box loses its cursor and undo, so only when the text differs.
  if (ToCrLfText(FromQ(EditText())) != memo_.Text()) PushText();
}

void MemoWindow::StoreGeometry() {
  settings_.memoWindow = TWindowGeometry{x(), y(), width(), height()};
}

void MemoWindow::FormShow() {
  PageControl1->setCurrentIndex(0);
  Memo1->setFocus();
  ShowLineCount();
}

// Coming back to the window (also when its own notice box closes) keeps the page the
// user was on: switching to the edit page lost the selection of the list page.
void MemoWindow::FormActivate() {
  if (PageControl1->currentIndex() == 0) Memo1->setFocus();
}

void MemoWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  FormShow();
}

void MemoWindow::hideEvent(QHideEvent* event) {
  StoreGeometry();
  QWidget::hideEvent(event);
}

void MemoWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

bool MemoWindow::PageShortcut(int key) {
  const bool listPage = PageControl1->currentIndex() == 1;
  if (key == Qt::Key_S) {
    listPage ? Button2Click() : PageControl1->setCurrentIndex(1);
    return true;
  }
  if (key == Qt::Key_C) {
    const bool selected = listPage ? !ListBox1->selectedItems().isEmpty() : Memo1->textCursor().hasSelection();
    selected ? Button3Click() : hide();
    return true;
  }
  return false;
}

bool MemoWindow::eventFilter(QObject* watched, QEvent* event) {
  const bool key = event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!key || widget == nullptr || (widget != this && !isAncestorOf(widget))) return QWidget::eventFilter(watched, event);
  const auto* press = static_cast<QKeyEvent*>(event);
  if (press->modifiers() != Qt::AltModifier || (press->key() != Qt::Key_C && press->key() != Qt::Key_S)) {
    return QWidget::eventFilter(watched, event);
  }
  if (event->type() == QEvent::ShortcutOverride) {
    event->accept();  // the key comes as a key press instead of an ambiguous shortcut
    return true;
  }
  return PageShortcut(press->key());
}

void MemoWindow::Button2Click() {
  ListBox1->setVisible(false);
  Memo1->setVisible(false);
  memo_.Sort();
  PushText();
  ListBox1->clear();
  for (const std::u16string& line : memo_.SelectionLines()) ListBox1->addItem(ToQ(line));
  ListBox1->setVisible(true);
  Memo1->setVisible(true);
  ShowLineCount();
}

void MemoWindow::Button5Click() {
  if (!confirm || !confirm(this, ToQ(kMemoClearQuestion))) return;
  memo_.Clear();
  PushText();
  ListBox1->clear();
  SetStatus(kMemoClearedMessage);
}

void MemoWindow::PageControl1Change(int page) {
  if (page != 1) return;
  ListBox1->setVisible(false);
  ListBox1->clear();
  for (const std::u16string& line : memo_.SelectionLines()) ListBox1->addItem(ToQ(line));
  ListBox1->clearSelection();
  ListBox1->setVisible(true);
}

bool MemoWindow::ComposeSelection(bool forSend, std::u16string& text) {
  const bool oneLine = settings_.activeProfile.Moj1;
  text.clear();
  if (PageControl1->currentIndex() == 0) {
    QString selected = Memo1->textCursor().selectedText();
    selected.replace(QChar(0x2029), QStringLiteral("\r\n"));  // the edit box's line breaks
    text = FromQ(selected);
    if (oneLine) text = StrTakeWidth(RemoveControlChars(text), 0, kOneLineColumns).text;
    if (text.empty()) {
      SetStatus(forSend ? kNothingToSend : kNothingToCopy);
      return false;
    }
    return true;
  }
  std::vector<int> rows;
  for (const QModelIndex& index : ListBox1->selectionModel()->selectedRows()) rows.push_back(index.row());
  if (rows.empty()) {
    SetStatus(forSend ? kNoItemToSend : kNoItemToCopy);
    return false;
  }
  std::sort(rows.begin(), rows.end());
  for (int r : rows) {
    text += FromQ(ListBox1->item(r)->text());
    if (!oneLine) text += u"\r\n";
  }
  if (oneLine) text = StrTakeWidth(text, 0, kOneLineColumns).text;
  return true;
}

void MemoWindow::Button3Click() {
  std::u16string text;
  if (!ComposeSelection(false, text)) return;
  if (!desktop_.clipboard->SetText(text)) {
    desktop_.message(this, ToQ(kClipboardBusyText));
    return;
  }
  SetStatus(settings_.activeProfile.Moj1 ? CopiedMessage(text) : std::u16string(kCopiedPlain));
}

bool MemoWindow::Send(const std::u16string& text, const std::u16string& copiedMessage) {
  const TSend_jww& profile = settings_.activeProfile;
  const WindowId window =
      FindTargetOrNotify(desktop_, this, profile, [this](std::u16string_view status) { SetStatus(status); });
  return window != 0 &&
         SendToTarget(desktop_, this, window, profile, text, copiedMessage,
                      [this](std::u16string_view status) { SetStatus(status); });
}

void MemoWindow::Button4Click() {
  std::u16string text;
  if (!ComposeSelection(true, text)) return;
  Send(text, settings_.activeProfile.Moj1 ? CopiedMessage(text) : std::u16string(kCopiedPlain));
}

void MemoWindow::ListBox1Click() {
  QListWidgetItem* item = ListBox1->currentItem();
  if (!item) return;
  const std::u16string line = FromQ(item->text());
  if (!desktop_.clipboard->SetText(line)) {
    desktop_.message(this, ToQ(kClipboardBusyText));
    return;
  }
  SetStatus(CopiedMessage(line));
}

void MemoWindow::ListBox1DblClick() {
  if (FindTargetOrNotify(desktop_, this, settings_.activeProfile,
                         [this](std::u16string_view status) { SetStatus(status); }) == 0) {
    return;
  }
  QListWidgetItem* item = ListBox1->currentItem();
  if (!item) return;
  const std::u16string line = FromQ(item->text());
  Send(line, CopiedMessage(line));
}

}  // namespace glyphgrab::gui
