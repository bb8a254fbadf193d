// The main window's controls as its logic drives them: the folder button and label, the
// folder tree, the file-type filter, the file list, the extraction list, the preview
// pane and the status bar.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "browse/file_list.h"
#include "browse/folder_tree.h"
#include "browse/preview_settings.h"
#include "browse/settings.h"
#include "render/render_model.h"
#include "ui/window_view.h"

namespace glyphgrab::ui {

// The controls that are off while the folder tree is scanned.
enum class MainControl { kRootButton, kTree, kFilter, kSearchButton };

class MainView : public WindowView {
 public:
  // The status bar's text as last set.
  virtual std::u16string StatusText() const = 0;
  virtual void Enable(MainControl control, bool on) = 0;

  // Label1's whole text, and the folder button's caption (its "&" already doubled, as
  // LiteralCaption gives it: shown as it stands, mnemonics included).
  virtual void SetFolderLabel(std::u16string_view text) = 0;
  virtual void SetRootButtonText(std::u16string_view text) = 0;
  virtual void FocusRootButton() = 0;

  // The tree is hidden while it is scanned; it keeps its room.
  virtual void SetTreeVisible(bool visible) = 0;
  // Replaces every node by the tree's, collapsed; the item of node i stands for index i.
  virtual void ShowTree(const FolderTree& tree) = 0;
  virtual void ExpandTree() = 0;
  // Makes node `index` (within the tree shown) the current one and gives the tree the
  // keyboard focus.
  virtual void SelectNode(int index) = 0;
  // The current node's index, or -1.
  virtual int SelectedNode() const = 0;

  // The filter's entry (an index of kFileFilters), -1 for none.
  virtual int FilterIndex() const = 0;
  virtual void SetFilterIndex(int index) = 0;

  // Replaces the file list's rows (kFileListColumns columns each); nothing is selected.
  virtual void ShowFileRows(const std::vector<FileListRow>& rows) = 0;
  // The selected rows, ascending.
  virtual std::vector<int> SelectedFileRows() const = 0;
  // Selects `row` alone.
  virtual void SelectFileRow(int row) = 0;

  // Replaces the extraction list's lines.
  virtual void ShowLines(const std::vector<std::u16string>& lines) = 0;
  // The line with the focus (the one clicked), or -1; the selected lines, ascending.
  virtual int CurrentLine() const = 0;
  virtual std::vector<int> SelectedLines() const = 0;

  // The wait cursor over the application while an extraction runs.
  virtual void SetBusyCursor(bool busy) = 0;

  // The preview pane: shown or hidden, its drawing (none when null), and the text whose
  // places it marks and zooms to (empty: the whole sheet).
  virtual void ShowPreviewPane(bool visible) = 0;
  virtual void SetPreviewDrawing(std::shared_ptr<const RenderModel> drawing) = 0;
  virtual void SetPreviewMark(const std::u16string& text) = 0;
  // A line the pane shows over the drawing (or alone) when the file could not be read
  // whole; empty for none.
  virtual void SetPreviewNote(std::u16string_view text) = 0;

  // Window geometry, pane widths, column widths, the settings dialog's place and the
  // preview's switch and height, from the settings (kept on the screen) and back.
  // StoreLayout changes only what the window knows (the preview's height while shown).
  virtual void ApplyLayout(const TSettings& settings, const TPreviewSettings& preview) = 0;
  virtual void StoreLayout(TSettings& settings, TPreviewSettings& preview) = 0;

  // The platform's folder dialog; empty when cancelled.
  virtual std::u16string ChooseFolder(std::u16string_view title, std::u16string_view start) = 0;
  // The settings dialog, modal.
  virtual void ShowSettingsDialog() = 0;
  // The window is on the screen (notices of a start-up wait for it).
  virtual bool IsShown() const = 0;

  // A single-shot timer that calls MainLogic::KeySelectTimer; starting it again restarts
  // the wait.
  virtual void StartKeySelectTimer(int milliseconds) = 0;
  virtual void StopKeySelectTimer() = 0;

  // A repeating timer that calls MainLogic::MemoSaveTimer.
  virtual void StartMemoSaveTimer(int milliseconds) = 0;
  virtual void StopMemoSaveTimer() = 0;
};

}  // namespace glyphgrab::ui
