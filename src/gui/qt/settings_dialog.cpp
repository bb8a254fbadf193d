#include "gui/qt/settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QVBoxLayout>

namespace glyphgrab::gui {

SettingsDialog::SettingsDialog(TSettings& settings, QtBoxes& boxes, QWidget* parent)
    : QDialog(parent), logic_(*this, settings) {
  BindView(this, nullptr, &boxes, false);
  setWindowTitle(ToQ(ui::kSettingsCaption));
  setModal(true);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(ToQ(ui::kExtractHeading), this));
  for (std::size_t i = 0; i < OptionBoxes.size(); ++i) {
    OptionBoxes[i] = new QCheckBox(ToQ(ui::kExtractOptionTexts[i]), this);
    layout->addWidget(OptionBoxes[i]);
  }
  for (std::u16string_view text : ui::kClickHelpTexts) layout->addWidget(new QLabel(ToQ(text), this));

  auto* profileRow = new QHBoxLayout();
  profileRow->addWidget(new QLabel(ToQ(ui::kProfileNumberLabel), this));
  ComboBox1 = new QComboBox(this);
  TabControl1 = new QTabBar(this);
  for (int i = 0; i < kSendProfileCount; ++i) {
    ComboBox1->addItem(QString::number(i));
    TabControl1->addTab(QString::number(i));
  }
  ComboBox1->setAttribute(Qt::WA_InputMethodEnabled, false);
  TabControl1->setExpanding(false);
  TabControl1->setStyleSheet(QStringLiteral("QTabBar::tab { width: 36px; }"));
  profileRow->addWidget(ComboBox1);
  profileRow->addStretch(1);
  layout->addLayout(profileRow);
  layout->addWidget(TabControl1);

  auto* grid = new QGridLayout();
  grid->addWidget(new QLabel(ToQ(ui::kWaitLabel), this), 0, 0);
  Edit1 = new QLineEdit(this);
  Edit1->setMaxLength(ui::kWaitMaxLength);
  Edit1->setAttribute(Qt::WA_InputMethodEnabled, false);
  auto* waitRow = new QHBoxLayout();
  waitRow->addWidget(Edit1);
  waitRow->addWidget(new QLabel(ToQ(ui::kSecondsLabel), this));
  waitRow->addStretch(1);
  grid->addLayout(waitRow, 0, 1);
  CheckBox6 = new QCheckBox(ToQ(ui::kMaximizeText), this);
  CheckBox7 = new QCheckBox(ToQ(ui::kOneLineText), this);
  grid->addWidget(CheckBox6, 1, 0, 1, 2);
  grid->addWidget(CheckBox7, 2, 0, 1, 2);
  grid->addWidget(new QLabel(ToQ(ui::kTitleLabel), this), 3, 0);
  Edit2 = new QLineEdit(this);
  Edit2->setMaxLength(ui::kTitleMaxLength);
  grid->addWidget(Edit2, 3, 1);
  grid->addWidget(new QLabel(ToQ(ui::kCommandLabel), this), 4, 0);
  Edit3 = new QLineEdit(this);
  Edit3->setMaxLength(ui::kCommandMaxLength);
  grid->addWidget(Edit3, 4, 1);
  layout->addLayout(grid);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setReadOnly(true);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  QStringList help;
  for (std::u16string_view line : ui::kSettingsHelpLines) help.push_back(ToQ(line));
  Memo1->setPlainText(help.join(QLatin1Char('\n')));
  layout->addWidget(Memo1, 1);

  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  Button1 = new QPushButton(ToQ(ui::kOkButton), this);
  Button2 = new QPushButton(ToQ(ui::kCancelButton), this);
  Button1->setDefault(true);
  Button2->setAutoDefault(false);
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  layout->addLayout(buttons);

  connect(Button1, &QPushButton::clicked, this, [this] { logic_.Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { logic_.Cancel(); });
  // The tab bar has no veto before a change: the logic puts the old tab back.
  connect(TabControl1, &QTabBar::currentChanged, this, [this](int index) { logic_.TabChanged(index); });

  // As large as the content needs, never smaller than the classic 451 x 478: a fixed
  // size crushed the edit boxes and check boxes with larger fonts. The help text
  // scrolls; it shows some lines at least.
  Memo1->setMinimumHeight(Memo1->fontMetrics().lineSpacing() * 8);
  const QSize needed = minimumSizeHint().expandedTo(QSize(451, 478));
  setMinimumSize(needed);
  resize(needed);
}

void SettingsDialog::showEvent(QShowEvent* event) {
  logic_.FormShow();
  QDialog::showEvent(event);
}

void SettingsDialog::ShowOptions(const std::array<bool, ui::kExtractOptionCount>& on) {
  for (std::size_t i = 0; i < OptionBoxes.size(); ++i) OptionBoxes[i]->setChecked(on[i]);
}

std::array<bool, ui::kExtractOptionCount> SettingsDialog::Options() const {
  std::array<bool, ui::kExtractOptionCount> on{};
  for (std::size_t i = 0; i < OptionBoxes.size(); ++i) on[i] = OptionBoxes[i]->isChecked();
  return on;
}

void SettingsDialog::SetProfileNumber(int number) { ComboBox1->setCurrentIndex(number); }

int SettingsDialog::ProfileNumber() const { return ComboBox1->currentIndex(); }

void SettingsDialog::SetTab(int tab) {
  const QSignalBlocker block(TabControl1);
  TabControl1->setCurrentIndex(tab);
}

void SettingsDialog::ShowProfile(const ui::ProfileFields& fields) {
  Edit1->setText(ToQ(fields.wait));
  CheckBox6->setChecked(fields.maximize);
  CheckBox7->setChecked(fields.oneLine);
  Edit2->setText(ToQ(fields.title));
  Edit3->setText(ToQ(fields.command));
}

ui::ProfileFields SettingsDialog::Profile() const {
  return ui::ProfileFields{FromQ(Edit1->text()), CheckBox6->isChecked(), CheckBox7->isChecked(), FromQ(Edit2->text()),
                           FromQ(Edit3->text())};
}

void SettingsDialog::FocusWait() { Edit1->setFocus(); }

}  // namespace glyphgrab::gui
