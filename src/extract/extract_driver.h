// The extraction of selected files into the list: what a click in the file list does,
// and what `glyphgrab-cli extract` prints.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "documents/document_set.h"
#include "documents/file_kind.h"
#include "extract/extraction_list.h"
#include "extract/opt_flags.h"
#include "util/stop.h"

namespace glyphgrab {

// How the reading of one file went, for diagnostics; the list shows what the window
// shows whatever happened.
struct ExtractFileReport {
  enum class Outcome {
    kRead,        // read whole
    kStopped,     // read part way: the texts found before `stopPos` are listed
    kNotFormat,   // not of its extension's format: only its file header line
    kCannotRead,  // missing, unreadable or a folder: only its file header line
    kNoReader,    // a type that carries no texts for the list
    kInterrupted, // a text file whose reading the stop request ended
  };
  std::u16string path;
  Outcome outcome = Outcome::kNoReader;
  std::size_t stopPos = 0;      // kStopped: byte offset where reading stopped
  std::size_t undecodable = 0;  // bytes that became U+FFFD
  int error = 0;                // kCannotRead: why (an errno value)
  // Unsorted lists: the number of list lines before this file's texts, i.e. up to and
  // including its header line.
  std::size_t listPos = 0;
};

// Called for each file that was read as a document, while `docs` still holds it: the
// preview draws the first drawing from there instead of reading its file again.
using DocumentSeen = std::function<void(const TDocumentSet& docs, DocKind kind)>;

// Clears the list and extracts each file in order: its file header line (base name,
// unless sorting is on), then its texts by the reader its extension chooses; sorts at
// the end when sorting is on and the list holds more than one line. The documents are
// released before and after each file. `stop` (Esc) can end the reading of text, CSV and
// HTML files (drawings are read whole); the abandon of the job on this thread
// (CancelRequested) ends the run between files and inside a long read, leaving a list
// that nobody shows.
void ExtractFiles(const std::vector<std::u16string>& paths, const OptFlags& opt,
                  TDocumentSet& docs, ExtractionList& list, const StopRequested& stop,
                  std::vector<ExtractFileReport>* reports = nullptr, const DocumentSeen& seen = {});

// The click in the file list: the selected names of the current folder `preFolder`
// (without trailing delimiter, checked by the caller), in list order.
void ListView1Click(std::u16string_view preFolder, const std::vector<std::u16string>& selectedNames,
                    const OptFlags& opt, TDocumentSet& docs, ExtractionList& list, const StopRequested& stop,
                    std::vector<ExtractFileReport>* reports = nullptr, const DocumentSeen& seen = {});

}  // namespace glyphgrab
