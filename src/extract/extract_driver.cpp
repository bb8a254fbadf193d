#include "extract/extract_driver.h"

#include "documents/file_kind.h"
#include "documents/jw_texts.h"
#include "extract/drawing_extract.h"
#include "extract/text_extract.h"
#include "util/cancel.h"
#include "util/file_bytes.h"
#include "util/paths.h"
#include "util/strings.h"

namespace glyphgrab {
namespace {

using Outcome = ExtractFileReport::Outcome;

void ReportRead(const TReadInfo& info, ExtractFileReport& r) {
  r.outcome = info.complete() ? Outcome::kRead : Outcome::kStopped;
  r.stopPos = info.stopPos;
  r.undecodable = info.undecodable;
}

void ExtractTextFile(const std::u16string& path, TextForm form, ExtractionList& list,
                     const StopRequested& stop, ExtractFileReport& r) {
  TextStreamInfo info;
  const bool read = form == TextForm::kLines       ? ExtractTxt(path, list, stop, &info)
                    : form == TextForm::kCsvFields ? ExtractCsv(path, list, stop, &info)
                                                   : ExtractHtml(path, list, stop, &info);
  r.undecodable = info.undecodable;
  if (!read) {
    r.outcome = Outcome::kCannotRead;
    r.error = info.error;
  } else {
    r.outcome = info.ended ? Outcome::kInterrupted : Outcome::kRead;
  }
}

// What a run keeps from file to file: the read buffer and the text reader.
struct ExtractBuffers {
  FileBuffer bytes;
  TJwTexts texts;
};

void ExtractOne(const std::u16string& path, const OptFlags& opt, TDocumentSet& docs,
                ExtractBuffers& buffers, ExtractionList& list, const StopRequested& stop,
                const DocumentSeen& seen, ExtractFileReport& r) {
  const FileKind kind = FileKindOf(FileExtLower(path));
  r.path = path;
  // Whatever its type, a file that cannot be opened is said to be so: a drawing without
  // read permission is not a file of another format.
  ReadableFile file(path);
  if (!file.ok()) {
    r.outcome = Outcome::kCannotRead;
    r.error = file.error();
    return;
  }
  if (const TextForm form = TextFormOf(kind); form != TextForm::kNone) {
    ExtractTextFile(path, form, list, stop, r);
    return;
  }
  if (ReadersOf(kind).count == 0) {
    r.outcome = Outcome::kNoReader;
    return;
  }
  // The file's bytes are read once and serve both the check and the read.
  r.outcome = Outcome::kNotFormat;
  if (!buffers.bytes.Read(file, &r.error)) {
    r.outcome = Outcome::kCannotRead;
    return;
  }
  const ByteSpan bytes = buffers.bytes.bytes();
  // FileIn's answer is not consulted for the list: a read that stopped part way gives the
  // texts found until then. Drawings and symbols are read for their texts alone, unless
  // the caller wants to see the whole document.
  const DocKind doc = CheckedReader(kind, bytes);
  if (TJwTexts::Reads(doc) && !seen) {
    buffers.texts.Read(doc, bytes);
    ReportRead(buffers.texts.readInfo(), r);
    ExtractTexts(buffers.texts, list, opt);
  } else if (doc != DocKind::kNone) {
    ReadWhole(doc, bytes, docs);
    ReportRead(ReadInfoOf(docs, doc), r);
    if (seen) seen(docs, doc);
    ExtractDocument(docs, doc, list, opt);
    docs.Empty(doc, bytes.size());
  }
}

}  // namespace

void ExtractFiles(const std::vector<std::u16string>& paths, const OptFlags& opt,
                  TDocumentSet& docs, ExtractionList& list, const StopRequested& stop,
                  std::vector<ExtractFileReport>* reports, const DocumentSeen& seen) {
  docs.FreeAll();
  list.Clear();
  list.SetRemoveBlanks(opt[kOptRemoveBlanks]);
  if (reports) reports->clear();
  // One read buffer and text reader for the run, so that a selection of many drawings
  // allocates once.
  ExtractBuffers buffers;
  for (const std::u16string& path : paths) {
    if (CancelRequested()) return;  // abandoned: nobody shows this list
    if (!opt[kOptSort]) list.ExtractAdd(FileHeaderLine(FileBaseName(path)));
    ExtractFileReport report;
    report.listPos = list.size();
    ExtractOne(path, opt, docs, buffers, list, stop, seen, report);
    if (reports) reports->push_back(std::move(report));
  }
  if (opt[kOptSort] && list.size() > 1) list.Sort();
}

void ListView1Click(std::u16string_view preFolder, const std::vector<std::u16string>& selectedNames,
                    const OptFlags& opt, TDocumentSet& docs, ExtractionList& list, const StopRequested& stop,
                    std::vector<ExtractFileReport>* reports, const DocumentSeen& seen) {
  std::vector<std::u16string> paths;
  paths.reserve(selectedNames.size());
  for (const auto& name : selectedNames) paths.push_back(JoinPath(preFolder, name));
  ExtractFiles(paths, opt, docs, list, stop, reports, seen);
}

}  // namespace glyphgrab
