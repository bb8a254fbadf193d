#include "extract/extract_driver.h"

#include "extract/drawing_extract.h"
#include "extract/text_extract.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/text_file.h"

namespace glyphgrab {
namespace {

using Outcome = ExtractFileReport::Outcome;

template <typename Doc>
void ReportWindowsRead(const Doc& doc, bool complete, ExtractFileReport& r) {
  r.outcome = complete ? Outcome::kRead : Outcome::kStopped;
  r.stopPos = doc.ReadStopPos;
  r.undecodable = doc.ReadUndecodable;
}

template <typename Doc>
void ReportDosRead(const Doc& doc, bool complete, ExtractFileReport& r) {
  r.outcome = complete && !doc.readInfo.shortRead ? Outcome::kRead : Outcome::kStopped;
  r.stopPos = doc.readInfo.stopPos;
  r.undecodable = doc.readInfo.badBytes;
}

// FileIn's answer is not consulted for the list: a read that stopped part way gives the
// texts found until then.
bool TryJwc(TDocumentSet& docs, const std::u16string& path, ExtractionList& list,
            const OptFlags& opt, ExtractFileReport& r) {
  if (!TJwcData::FileCheck(path)) return false;
  ReportDosRead(docs.JWC, docs.JWC.FileIn(path), r);
  ExtractJwc(docs.JWC, list, opt);
  return true;
}

bool TryJww(TDocumentSet& docs, const std::u16string& path, ExtractionList& list,
            const OptFlags& opt, ExtractFileReport& r) {
  if (!docs.JWW.FileCheck(path)) return false;
  ReportWindowsRead(docs.JWW, docs.JWW.FileIn(path), r);
  ExtractJww(docs.JWW, list, opt);
  return true;
}

void ExtractTextFile(const std::u16string& path, const std::u16string& ext, ExtractionList& list,
                     const StopRequested& stop, ExtractFileReport& r) {
  TextLines text;
  if (!LoadTextFileLines(path, text)) {
    r.outcome = Outcome::kCannotRead;
    return;
  }
  r.undecodable = text.undecodable;
  if (ext == u".txt") ExtractTxtLines(text.lines, list, stop);
  else if (ext == u".csv") ExtractCsvLines(text.lines, list, stop);
  else ExtractHtmlLines(text.lines, list, stop);
  r.outcome = Stopped(stop) ? Outcome::kInterrupted : Outcome::kRead;
}

void ExtractOne(const std::u16string& path, const OptFlags& opt, TDocumentSet& docs,
                ExtractionList& list, const StopRequested& stop, ExtractFileReport& r) {
  const std::u16string ext = FileExtLower(path);
  r.path = path;
  r.outcome = Outcome::kNotFormat;
  if (ext == u".jwc") {
    TryJwc(docs, path, list, opt, r);
    docs.JWC.DataFree();
  } else if (ext == u".jwk") {
    if (TJwkData::FileCheck(path)) {
      ReportDosRead(docs.JWK, docs.JWK.FileIn(path), r);
      ExtractJwk(docs.JWK, list, opt);
    }
    docs.JWK.DataFree();
  } else if (ext == u".jww" || ext == u".jw$") {
    TryJww(docs, path, list, opt, r);
    JwwDataFree(docs.JWW);
  } else if (ext == u".jws") {
    if (docs.JWS.FileCheck(path)) {
      ReportWindowsRead(docs.JWS, docs.JWS.FileIn(path), r);
      ExtractJws(docs.JWS, list, opt);
    }
    docs.JWS.DataFree();
  } else if (ext == u".bak" || StrMid(ext, 0, 3) == u".bk") {
    // A backup of either generation.
    if (!TryJwc(docs, path, list, opt, r)) TryJww(docs, path, list, opt, r);
    docs.JWC.DataFree();
    JwwDataFree(docs.JWW);
  } else if (ext == u".txt" || ext == u".csv" || ext == u".htm" || ext == u".html") {
    ExtractTextFile(path, ext, list, stop, r);
  } else {
    r.outcome = Outcome::kNoReader;
  }
  if (r.outcome == Outcome::kNotFormat && !IsFile(path)) r.outcome = Outcome::kCannotRead;
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
  for (const auto& name : selectedNames) paths.push_back(std::u16string(preFolder) + PathDelimChar() + name);
  ExtractFiles(paths, opt, docs, list, stop);
  return {};
}

}  // namespace glyphgrab
