#include "browse/start_path.h"

#include <gtest/gtest.h>

#include "fixtures/temp_dir.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

TEST(ResolveStartPath, OpensTheFolderAndKeepsTheRootOnlyWhenTheFolderIsInTheTree) {
  testing::TempDir dir;
  dir.Write("root/a/plan.jww", "JwwData.");
  dir.Write("root2/other.jws", "JwsData");
  dir.Write("elsewhere/note.txt", "x");
  const std::u16string t = NativeToPath(dir.path().string());
  const std::u16string root = t + u"/root/";
  struct Case {
    const char* what;
    std::u16string path, rootFolder, currentFolder;
    std::u16string wantRoot, wantFolder, wantFile;
  } cases[] = {
      {"file in the tree", t + u"/root/a/plan.jww", root, u"/", root, t + u"/root/a", u"plan.jww"},
      {"folder in the tree, trailing delimiter", t + u"/root/a/", root, u"/", root, t + u"/root/a", u""},
      {"the root itself", t + u"/root", root, u"/", root, t + u"/root", u""},
      {"root without its delimiter", t + u"/root/a/plan.jww", t + u"/root", u"/", t + u"/root/",
       t + u"/root/a", u"plan.jww"},
      {"outside: its folder becomes the root", t + u"/elsewhere/note.txt", root, u"/",
       t + u"/elsewhere/", t + u"/elsewhere", u"note.txt"},
      {"a sibling sharing the root's name as a prefix is outside", t + u"/root2/other.jws", root, u"/",
       t + u"/root2/", t + u"/root2", u"other.jws"},
      {"relative, with dot-dot", u"../root/./a//plan.jww", root, t + u"/elsewhere", root, t + u"/root/a",
       u"plan.jww"},
      {"no root yet", t + u"/root/a/plan.jww", u"", u"/", t + u"/root/a/", t + u"/root/a", u"plan.jww"},
      {"root that is gone", t + u"/root/a/plan.jww", t + u"/gone/", u"/", t + u"/root/a/", t + u"/root/a",
       u"plan.jww"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<TStartPath> start = ResolveStartPath(c.path, c.rootFolder, c.currentFolder);
    ASSERT_TRUE(start.has_value());
    EXPECT_EQ(start->rootFolder, c.wantRoot);
    EXPECT_EQ(start->folder, c.wantFolder);
    EXPECT_EQ(start->fileName, c.wantFile);
  }
}

TEST(ResolveStartPath, NothingForAPathThatIsNeitherFileNorFolder) {
  testing::TempDir dir;
  const std::u16string t = NativeToPath(dir.path().string());
  EXPECT_FALSE(ResolveStartPath(t + u"/missing.jww", t + u"/", u"/").has_value());
  EXPECT_FALSE(ResolveStartPath(u"", t + u"/", u"/").has_value());
}

}  // namespace
}  // namespace glyphgrab
