// What the main window says about a file it could not read whole (damaged, of no known
// version, no permission, vanished): a line right under the file's header line in the
// text list, the status bar, and the preview pane. The command line says it on stderr.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "extract/extract_driver.h"
#include "extract/extraction_list.h"
#include "render/render_file.h"

namespace glyphgrab::ui {

// Every note line starts with it, so no note is taken for a text of the drawing.
inline constexpr char16_t kNoteMark = u'※';

// Why an errno value kept a file or folder from being read, in Japanese.
std::u16string ErrorReasonText(int error);

// "※" and what went wrong, or empty when the file was read whole (or carries no texts).
std::u16string ReadNote(const ExtractFileReport& report);
std::u16string ReadNote(const RenderFileResult& result);

// The text list as the window shows it: the extraction list with each file's note right
// under its header line (the texts read before the trouble follow it). A sorted list has
// no header lines: the notes, naming their files, come first.
struct TextLines {
  std::vector<std::u16string> lines;
  std::vector<bool> notes;  // per line: a note, not a text of a file
  // The first note with its file's name, for the status bar; empty without notes.
  std::u16string status;
};
TextLines WithReadNotes(const ExtractionList& list, const std::vector<ExtractFileReport>& reports, bool sorted);

}  // namespace glyphgrab::ui
