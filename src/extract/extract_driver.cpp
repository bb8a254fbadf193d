#include "extract/extract_driver.h"

#include "extract/drawing_extract.h"
#include "extract/text_extract.h"
#include "util/file_bytes.h"
#include "util/paths.h"
#include "util/strings.h"

namespace glyphgrab {
namespace {

using Outcome = ExtractFileReport::Outcome;

void ReportRead(const TJwDocument& doc, bool complete, ExtractFileReport& r) {
  r.outcome = complete ? Outcome::kRead : Outcome::kStopped;
  r.stopPos = doc.ReadStopPos;
  r.undecodable = doc.ReadUndecodable;
}

template <typename Doc>
void ReportRead(const TDosDocument<Doc>& dos, bool complete, ExtractFileReport& r) {
  const Doc& doc = static_cast<const Doc&>(dos);
  r.outcome = complete && !doc.readInfo.shortRead ? Outcome::kRead : Outcome::kStopped;
  r.stopPos = doc.readInfo.stopPos;
  r.undecodable = doc.readInfo.badBytes;
}

// The file's bytes are read once and serve both the check and the read. FileIn's answer
// is not consulted for the list: a read that stopped part way gives the texts found
// until then.
template <typename Doc>
bool TryDocument(Doc& doc, void (*extract)(const Doc&, ExtractionList&, const OptFlags&),
                 ByteSpan bytes, ExtractionList& list, const OptFlags& opt, ExtractFileReport& r) {
  if (!Doc::FileCheckBytes(bytes)) return false;
  ReportRead(doc, doc.FileInBytes(bytes), r);
  extract(doc, list, opt);
  return true;
}

void ExtractTextFile(const std::u16string& path, const std::u16string& ext, ExtractionList& list,
                     const StopRequested& stop, ExtractFileReport& r) {
  TextStreamInfo info;
  const bool read = ext == u".txt"   ? ExtractTxt(path, list, stop, &info)
                    : ext == u".csv" ? ExtractCsv(path, list, stop, &info)
                                     : ExtractHtml(path, list, stop, &info);
  r.undecodable = info.undecodable;
  if (!read) {
    r.outcome = Outcome::kCannotRead;
    r.error = info.error;
  } else {
    r.outcome = info.ended ? Outcome::kInterrupted : Outcome::kRead;
  }
}

void ExtractOne(const std::u16string& path, const OptFlags& opt, TDocumentSet& docs,
                ExtractionList& list, const StopRequested& stop, ExtractFileReport& r) {
  const std::u16string ext = FileExtLower(path);
  r.path = path;
  // Whatever its type, a file that cannot be opened is said to be so: a drawing without
  // read permission is not a file of another format.
  if (const ReadableFile file(path); !file.ok()) {
    r.outcome = Outcome::kCannotRead;
    r.error = file.error();
    return;
  }
  r.outcome = Outcome::kNotFormat;
  const bool drawing = ext == u".jwc" || ext == u".jwk" || ext == u".jww" || ext == u".jw$" ||
                       ext == u".jws" || ext == u".bak" || StrMid(ext, 0, 3) == u".bk";
  Bytes bytes;
  if (drawing && !ReadWholeFile(path, bytes, &r.error)) {
    r.outcome = Outcome::kCannotRead;
    return;
  }
  if (ext == u".jwc") {
    TryDocument(docs.JWC, ExtractJwc, bytes, list, opt, r);
    docs.JWC.DataFree();
  } else if (ext == u".jwk") {
    TryDocument(docs.JWK, ExtractJwk, bytes, list, opt, r);
    docs.JWK.DataFree();
  } else if (ext == u".jww" || ext == u".jw$") {
    TryDocument(docs.JWW, ExtractJww, bytes, list, opt, r);
    JwwDataFree(docs.JWW);
  } else if (ext == u".jws") {
    TryDocument(docs.JWS, ExtractJws, bytes, list, opt, r);
    docs.JWS.DataFree();
  } else if (drawing) {
    // A backup of either generation.
    if (!TryDocument(docs.JWC, ExtractJwc, bytes, list, opt, r)) {
      TryDocument(docs.JWW, ExtractJww, bytes, list, opt, r);
    }
    docs.JWC.DataFree();
    JwwDataFree(docs.JWW);
  } else if (ext == u".txt" || ext == u".csv" || ext == u".htm" || ext == u".html") {
    ExtractTextFile(path, ext, list, stop, r);
  } else {
    r.outcome = Outcome::kNoReader;
  }
}

}  // namespace

void ExtractFiles(const std::vector<std::u16string>& paths, const OptFlags& opt,
                  TDocumentSet& docs, ExtractionList& list, const StopRequested& stop,
                  std::vector<ExtractFileReport>* reports) {
  docs.FreeAll();
  list.Clear();
  list.SetRemoveBlanks(opt[kOptRemoveBlanks]);
  if (reports) reports->clear();
  for (const std::u16string& path : paths) {
    if (!opt[kOptSort]) list.ExtractAdd(FileHeaderLine(FileBaseName(path)));
    ExtractFileReport report;
    ExtractOne(path, opt, docs, list, stop, report);
    if (reports) reports->push_back(std::move(report));
  }
  if (opt[kOptSort] && list.size() > 1) list.Sort();
}

std::u16string ListView1Click(std::u16string_view preFolder,
                              const std::vector<std::u16string>& selectedNames,
                              const OptFlags& opt, TDocumentSet& docs, ExtractionList& list,
                              const StopRequested& stop) {
  if (RemoveBlanks(preFolder).empty()) return std::u16string(kNoFolderText);
  if (!IsFolder(preFolder)) return std::u16string(kFolderMissingText);
  std::vector<std::u16string> paths;
  paths.reserve(selectedNames.size());
  for (const auto& name : selectedNames) paths.push_back(JoinPath(preFolder, name));
  ExtractFiles(paths, opt, docs, list, stop);
  return {};
}

}  // namespace glyphgrab
