#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "documents/jww_data.h"
#include "fixtures/jww_builder.h"

namespace glyphgrab {
namespace {

using testing::BlockOf;

TEntJwwBlockDef DefOf(std::uint32_t number, std::u16string name, std::vector<TEntJwwBlock> inserts = {}) {
  TEntJwwBlockDef d;
  d.att = testing::AttrOf(1, 5, 2, 3);
  d.nNumber = number;
  d.strName = std::move(name);
  d.mBlockN = static_cast<std::int32_t>(inserts.size());
  d.mBlock = std::move(inserts);
  return d;
}

void SetTree(TJwwData& doc, std::vector<TEntJwwBlock> inserts, std::vector<TEntJwwBlockDef> defs) {
  doc.EntBlockN = static_cast<std::int32_t>(inserts.size());
  doc.EntBlock = std::move(inserts);
  doc.EntBlockDefN = static_cast<std::int32_t>(defs.size());
  doc.EntBlockDef = std::move(defs);
  doc.MakeBlockTree();
}

TEST(BlockTree, BreadthFirstWithReferencesNumbered) {
  TJwwData doc;
  SetTree(doc, {BlockOf(5, 0, 0), BlockOf(5, 100, 0)},
          {DefOf(9, u"unused"), DefOf(7, u"seven"), DefOf(5, u"five", {BlockOf(7, 1, 1)})});
  ASSERT_EQ(doc.EntBlockTreeN, 4);
  const struct {
    std::int32_t level, parent, defno;
    std::uint32_t no;
  } want[] = {{0, -1, 2, 5}, {0, -1, 2, 5}, {1, 0, 1, 7}, {1, 1, 1, 7}};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(doc.EntBlockTree[i].level, want[i].level) << i;
    EXPECT_EQ(doc.EntBlockTree[i].parent, want[i].parent) << i;
    EXPECT_EQ(doc.EntBlockTree[i].defno, want[i].defno) << i;
    EXPECT_EQ(doc.EntBlockTree[i].no, want[i].no) << i;
  }
  EXPECT_EQ(doc.EntBlockTree[3].name, u"seven");
  EXPECT_EQ(doc.EntBlockTree[3].x, 101.0);
  // A nested node carries the attribute of the definition that contains the insertion.
  EXPECT_EQ(doc.EntBlockTree[2].att, doc.EntBlockDef[2].att);
  EXPECT_EQ(doc.EntBlockTree[0].att, doc.EntBlock[0].att);
  EXPECT_FALSE(doc.EntBlockDef[0].ref_flag);
  EXPECT_EQ(doc.EntBlockDef[0].ref_no, -1);
  EXPECT_EQ(doc.EntBlockDef[1].ref_no, 0);
  EXPECT_EQ(doc.EntBlockDef[2].ref_no, 1);
  EXPECT_EQ(doc.EntBlockNum, 2);
}

TEST(BlockTree, PlacementAccumulates) {
  TJwwData doc;
  SetTree(doc, {BlockOf(1, 10, 20, 2, 3, std::numbers::pi / 2)},
          {DefOf(1, u"outer", {BlockOf(2, 1, 0)}), DefOf(2, u"inner")});
  ASSERT_EQ(doc.EntBlockTreeN, 2);
  const TEntJwwBlockTree& n = doc.EntBlockTree[0];
  EXPECT_NEAR(n.r1, 0, 1e-12);
  EXPECT_NEAR(n.r2, -3, 1e-12);
  EXPECT_NEAR(n.r3, 2, 1e-12);
  EXPECT_NEAR(n.r4, 0, 1e-12);
  EXPECT_NEAR(doc.EntBlockTree[1].x, 10, 1e-12);
  EXPECT_NEAR(doc.EntBlockTree[1].y, 22, 1e-12);
  EXPECT_NEAR(doc.EntBlockTree[1].r2, -3, 1e-12);
}

TEST(BlockTree, MissingAndDuplicateNumbers) {
  TJwwData doc;
  SetTree(doc, {BlockOf(42, 0, 0), BlockOf(3, 0, 0)}, {DefOf(3, u"first"), DefOf(3, u"second")});
  ASSERT_EQ(doc.EntBlockTreeN, 2);
  EXPECT_EQ(doc.EntBlockTree[0].defno, -1);
  EXPECT_EQ(doc.EntBlockTree[0].name, u"");
  EXPECT_EQ(doc.EntBlockTree[1].name, u"first");
  EXPECT_TRUE(doc.EntBlockDef[0].ref_flag);
  EXPECT_FALSE(doc.EntBlockDef[1].ref_flag);
  EXPECT_EQ(doc.EntBlockNum, 1);
}

TEST(BlockTree, NoInsertionsNoTree) {
  TJwwData doc;
  SetTree(doc, {}, {DefOf(1, u"a", {BlockOf(1, 0, 0)})});
  EXPECT_EQ(doc.EntBlockTreeN, 0);
  EXPECT_EQ(doc.EntBlockNum, 0);
  EXPECT_EQ(doc.EntBlockDef[0].ref_no, -1);
}

TEST(BlockTree, CyclesAreNotExpanded) {
  // 1 inserts itself; 2 and 3 insert each other.
  TJwwData doc;
  SetTree(doc, {BlockOf(1, 0, 0), BlockOf(2, 0, 0)},
          {DefOf(1, u"self", {BlockOf(1, 1, 0)}), DefOf(2, u"two", {BlockOf(3, 0, 0)}),
           DefOf(3, u"three", {BlockOf(2, 0, 0)})});
  // 1 -> 1 (leaf); 2 -> 3 -> 2 (leaf).
  ASSERT_EQ(doc.EntBlockTreeN, 5);
  EXPECT_EQ(doc.EntBlockTree[2].parent, 0);
  EXPECT_EQ(doc.EntBlockTree[3].parent, 1);
  EXPECT_EQ(doc.EntBlockTree[4].parent, 3);
  EXPECT_EQ(doc.EntBlockTree[4].level, 2);
  EXPECT_EQ(doc.EntBlockNum, 3);
}

TEST(BlockTree, DoublingNestingStopsAtTheBudget) {
  // Each definition inserts the next one twice: 2^40 nodes unbounded.
  std::vector<TEntJwwBlockDef> defs;
  for (std::uint32_t i = 0; i < 40; ++i) defs.push_back(DefOf(i, u"d", {BlockOf(i + 1, 0, 0), BlockOf(i + 1, 0, 0)}));
  TJwwData doc;
  doc.BlockTreeBudget = 5000;
  SetTree(doc, {BlockOf(0, 0, 0)}, std::move(defs));
  EXPECT_EQ(doc.EntBlockTreeN, 5000);
  EXPECT_EQ(doc.EntBlockTree.size(), 5000u);
  EXPECT_EQ(doc.EntBlockTree[4999].level, 12);
}

}  // namespace
}  // namespace glyphgrab
