#include "ui/read_notes.h"

#include <algorithm>
#include <cerrno>

#include "util/paths.h"
#include "util/strings.h"

namespace glyphgrab::ui {
namespace {

std::u16string Number(std::size_t n) {
  const std::string digits = std::to_string(n);
  return std::u16string(digits.begin(), digits.end());
}

std::u16string Damaged(std::size_t stopPos) {
  return std::u16string(1, kNoteMark) + u"ファイルが壊れています（" + Number(stopPos) +
         u"バイト目から先を読めません）。それより前の文字だけを表示しています。";
}

constexpr std::u16string_view kNotFormat = u"Jw_cadの既知のバージョンのファイルではありません。";
constexpr std::u16string_view kInterrupted = u"読み込みを中断しました。";

std::u16string Note(std::u16string_view text) { return std::u16string(1, kNoteMark) + std::u16string(text); }

}  // namespace

std::u16string ErrorReasonText(int error) {
  switch (error) {
    case 0: return {};
    case EACCES:
    case EPERM: return u"読み込む権限がありません。";
    case ENOENT:
    case ENOTDIR: return u"見つかりません（移動または削除されました）。";
    case EISDIR: return u"フォルダです。";
    case EINVAL: return u"通常のファイルではありません。";
    case EIO: return u"ディスクから読み込めません。";
    default: return u"読み込めません（エラー番号 " + Number(static_cast<std::size_t>(error)) + u"）。";
  }
}

std::u16string ReadNote(const ExtractFileReport& report) {
  using Outcome = ExtractFileReport::Outcome;
  switch (report.outcome) {
    case Outcome::kStopped: return Damaged(report.stopPos);
    case Outcome::kNotFormat: return Note(kNotFormat);
    case Outcome::kCannotRead: return Note(ErrorReasonText(report.error));
    case Outcome::kInterrupted: return Note(kInterrupted);
    case Outcome::kRead:
    case Outcome::kNoReader: break;
  }
  return {};
}

std::u16string ReadNote(const RenderFileResult& result) {
  using Outcome = RenderFileResult::Outcome;
  switch (result.outcome) {
    case Outcome::kStopped: return Damaged(result.stopPos);
    case Outcome::kNotFormat: return Note(kNotFormat);
    case Outcome::kCannotRead: return Note(ErrorReasonText(result.error));
    case Outcome::kRead:
    case Outcome::kNoDrawing: break;
  }
  return {};
}

TextLines WithReadNotes(const ExtractionList& list, const std::vector<ExtractFileReport>& reports, bool sorted) {
  TextLines out;
  const std::vector<std::u16string>& lines = list.lines();
  out.lines.reserve(lines.size() + reports.size());
  auto addNote = [&](std::u16string line) {
    out.lines.push_back(std::move(line));
    out.notes.push_back(true);
  };
  std::size_t next = 0;  // the list's next line to copy
  for (const ExtractFileReport& r : reports) {
    const std::u16string note = ReadNote(r);
    if (note.empty()) continue;
    const std::u16string named = std::u16string(1, kNoteMark) + FileBaseName(r.path) + u"：" + note.substr(1);
    if (out.status.empty()) out.status = named;
    if (sorted) {
      addNote(named);
      continue;
    }
    // Two files of one name share a header line: the later one's note comes where its
    // texts start.
    const std::size_t at = std::min(r.listPos, lines.size());
    for (; next < at; ++next) {
      out.lines.push_back(lines[next]);
      out.notes.push_back(false);
    }
    addNote(note);
  }
  for (; next < lines.size(); ++next) {
    out.lines.push_back(lines[next]);
    out.notes.push_back(false);
  }
  return out;
}

}  // namespace glyphgrab::ui
