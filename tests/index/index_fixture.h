// A searchable tree (drawings of the four kinds, text, CSV and HTML files; the real
// corpus beside it when there is one), a private index folder, and searches over the
// tree with and without the index.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "fixtures/dos_builder.h"
#include "fixtures/jww_builder.h"
#include "fixtures/temp_dir.h"
#include "index/indexed_walk.h"
#include "search/file_find.h"
#include "util/full_width.h"
#include "util/paths.h"

namespace glyphgrab::testing {

// What a search shows: its result lines and closing status.
struct SearchOutput {
  std::vector<std::u16string> lines;
  std::u16string status;
  bool operator==(const SearchOutput&) const = default;
};

inline SearchOutput RunSearch(const FolderTree& tree, std::u16string_view keyword, const SearchOptions& options,
                              IndexedWalk* index) {
  SearchOutput out;
  SearchCallbacks cb;
  cb.found = [&](const SearchResult& r) { out.lines.push_back(r.Line()); };
  cb.index = index;
  out.status = FileFind(tree, NormalizeForMatch(keyword), options, cb).StatusText();
  return out;
}

// A file's last-write time moved an hour (or `hours`) back: files written a moment ago
// are read but not kept, since a change within the same clock tick would go unseen.
inline void Age(const std::filesystem::path& p, int hours = 1) {
  std::filesystem::last_write_time(p, std::filesystem::file_time_type::clock::now() - std::chrono::hours(hours));
}

class IndexTree {
 public:
  IndexTree() {
    Put("plan.jww", DrawingWithLayerAndTexts("LAYER", {"AB", "洋室"}, "ABC@@SFIGORGFLAG@@123"));
    Put("sym.jws", SymbolWithTexts({"symbol text"}));
    JwcFixture jwc;
    jwc.comment1 = "old memo";
    jwc.layerNames[7] = "DOSLAYER";
    Put("sub/old.jwc", jwc.Build());
    JwkFixture jwk;
    jwk.texts = {{"kigou"}};
    Put("sub/k.jwk", jwk.Build());
    Put("sub/notes.txt", std::string("\xEF\xBB\xBF" "first\r\nｗｏｒｌｄ　peace\r\n階段 A\r\n"));
    Put("sub/page.html", std::string("<html><body><p class=\"LAYER\">x</p></body></html>\n"));
    Put("sub/data.csv", std::string("a,b\n洋,室\n"));
    Put("sub/deep/more.csv", std::string("1,2\n"));
    Put("sub/other.dat", std::string("LAYER AB"));
  }
  template <typename Bytes>
  std::filesystem::path Put(const std::string& relative, const Bytes& bytes, int hoursAgo = 1) {
    const auto p = dir.Write(relative, bytes);
    Age(p, hoursAgo);
    return p;
  }
  FolderTree Tree() const {
    FolderTree tree;
    FolderTreeMake(NativeToPath(dir.folder()), tree, nullptr);
    return tree;
  }
  std::u16string cache() const { return NativeToPath((cacheDir.path() / "glyphgrab").string()); }

  TempDir dir;
  TempDir cacheDir;
};

}  // namespace glyphgrab::testing
