// Two measures of the search index benchmark (bench/index_bench.sh) that the CLI cannot
// give:
//   index_probe walk ROOT            the bare walk: every folder listed, every file's
//                                    status taken; prints seconds and files
//   index_probe first ROOT KEYWORD   the search window's first results: from the start
//                                    of a search (its folder tree made already) until
//                                    the index's first batch of result lines is ready;
//                                    prints its milliseconds, the lines of all batches
//                                    and the milliseconds until the walk can begin
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "browse/folder_tree.h"
#include "index/file_stamp.h"
#include "index/indexed_walk.h"
#include "search/file_find.h"
#include "util/codepage.h"
#include "util/folder_listing.h"
#include "util/full_width.h"
#include "util/paths.h"

using namespace glyphgrab;

namespace {

double Since(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: index_probe walk ROOT | index_probe first ROOT KEYWORD\n");
    return 2;
  }
  const auto t0 = std::chrono::steady_clock::now();
  FolderTree tree;
  FolderTreeMake(NativeToPath(argv[2]), tree, nullptr);
  if (std::strcmp(argv[1], "walk") == 0) {
    std::vector<std::u16string> names;
    long files = 0;
    for (int i = 0; i < static_cast<int>(tree.size()); ++i) {
      const std::u16string folder = tree.FolderTreePath(i);
      ListFolderFileNames(folder, names);
      FileStamp stamp;
      for (const std::u16string& name : names) files += FileStampOf(folder + name, stamp) ? 1 : 0;
    }
    std::printf("%.4f %ld\n", Since(t0), files);
    return 0;
  }
  if (argc < 4) return 2;
  const auto t1 = std::chrono::steady_clock::now();
  IndexStore store;
  IndexNote note;
  if (!store.Open(IndexFolder(), note)) return 1;
  // As the search window does: the first batch of matches placed in the tree.
  double first = -1;
  std::size_t lines = 0;
  const auto batch = [&](std::vector<StoredMatch> matches) {
    const std::size_t placed = IndexedResults(tree, matches, SearchOptions{}).size();
    if (first < 0) first = Since(t1) * 1000;
    lines += placed;
  };
  IndexedWalk walk(store, tree.FolderTreePath(0), NormalizeForMatch(Utf8ToStr(argv[3])), batch);
  const double all = Since(t1) * 1000;
  std::printf("%.1f %zu %.1f\n", first < 0 ? all : first, lines, all);
  return 0;
}
