#include "memo/memo_text.h"

#include <gtest/gtest.h>

namespace glyphgrab {
namespace {

using Lines = std::vector<std::u16string>;

TEST(MemoText, LinesAsTheEditBoxCountsThem) {
  const struct {
    std::u16string text;
    Lines lines;
  } cases[] = {
      {u"", {}},
      {u"a", {u"a"}},
      {u"a\r\n", {u"a"}},  // the empty line after a final break does not count
      {u"a\r\n\r\n", {u"a", u""}},
      {u"\r\nb", {u"", u"b"}},
      {u"a\nb\rc\r\nd", {u"a", u"b", u"c", u"d"}},
  };
  for (const auto& c : cases) {
    const TMemoText memo(c.text);
    EXPECT_EQ(memo.Lines(), c.lines);
    EXPECT_EQ(memo.LineCount(), static_cast<int>(c.lines.size()));
  }
  EXPECT_EQ(TMemoText(u"a\nb\rc\r\n\n").Text(), u"a\r\nb\r\nc\r\n\r\n");
  EXPECT_EQ(MemoLineCountMessage(3), u"3行のメモ内容があります。");
}

TEST(MemoText, SelectionLinesAreTheNonEmptyOnes) {
  const TMemoText memo(u"b\r\n\r\n a\r\n\r\nb\r\n");
  EXPECT_EQ(memo.SelectionLines(), (Lines{u"b", u" a", u"b"}));
}

TEST(MemoText, AddSelectedSkipsBlanksAndDuplicatesIgnoringCase) {
  TMemoText memo(u"Alpha\r\nbeta");
  const TMemoAddResult r = memo.AddSelected({u"alpha", u"gamma", u"BETA"});
  EXPECT_EQ(r.selected, 3);
  EXPECT_EQ(r.added, 1);
  EXPECT_EQ(r.status, u"メモに 選択した3行のうち、1行の文字内容を追加登録しました。");
  EXPECT_EQ(memo.Text(), u"Alpha\r\nbeta\r\ngamma");

  // Lines added in the same step count as memo lines; blank ones never go in; section
  // header lines are ordinary lines.
  const TMemoAddResult r2 =
      memo.AddSelected({u"Δelta", u" \u3000", u"", u"δELTA", u"-----【レイヤ名】-----", u" gamma "});
  EXPECT_EQ(r2.added, 3);
  EXPECT_EQ(r2.status, u"メモに 選択した6行のうち、3行の文字内容を追加登録しました。");
  EXPECT_EQ(memo.Lines(),
            (Lines{u"Alpha", u"beta", u"gamma", u"Δelta", u"-----【レイヤ名】-----", u" gamma "}));

  const TMemoText before = memo;
  const TMemoAddResult none = memo.AddSelected({});
  EXPECT_EQ(none.selected, 0);
  EXPECT_TRUE(none.status.empty());
  EXPECT_EQ(memo.Text(), before.Text());
}

TEST(MemoText, AddAppendsAfterTheLastLine) {
  const struct {
    std::u16string before, after;
  } cases[] = {
      {u"", u"x\r\n"},
      {u"a", u"a\r\nx"},
      {u"a\r\n", u"a\r\nx\r\n"},
      {u"a\r\n\r\n", u"a\r\n\r\nx\r\n"},
  };
  for (const auto& c : cases) {
    TMemoText memo(c.before);
    memo.AddSelected({u"x"});
    EXPECT_EQ(memo.Text(), c.after);
  }
}

TEST(MemoText, SortKeepsDuplicatesDropsEmptyLinesIgnoresCase) {
  const struct {
    const char* what;
    std::u16string before;
    Lines after;
  } cases[] = {
      {"example", u"b\r\n\r\na\r\nb", {u"a", u"b", u"b"}},
      {"case ties keep their order", u"b\r\nB\r\na\r\nA", {u"a", u"A", u"b", u"B"}},
      {"case ties keep their order, reversed", u"B\r\nb", {u"B", u"b"}},
      {"width is not case, but ranks only below it", u"Ｂ\r\na\r\nb", {u"a", u"Ｂ", u"b"}},
      {"kana in gojuon order", u"す\r\nカ\r\nあ\r\nい", {u"あ", u"い", u"カ", u"す"}},
      {"digits before letters before kana", u"あ\r\nz\r\n1", {u"1", u"z", u"あ"}},
      {"blank lines are not empty", u" \r\na", {u" ", u"a"}},
      {"empty memo", u"", {}},
  };
  for (const auto& c : cases) {
    TMemoText memo(c.before);
    memo.Sort();
    EXPECT_EQ(memo.Lines(), c.after) << c.what;
    EXPECT_EQ(memo.LineCount(), static_cast<int>(c.after.size())) << c.what;
  }
  TMemoText memo(u"b\r\n\r\na\r\nb");
  memo.Sort();
  EXPECT_EQ(memo.Text(), u"a\r\nb\r\nb\r\n");
  EXPECT_EQ(MemoLineCountMessage(memo.LineCount()), u"3行のメモ内容があります。");
}

TEST(MemoText, ClearEmptiesTheMemo) {
  TMemoText memo(u"a\r\nb");
  memo.Clear();
  EXPECT_TRUE(memo.Text().empty());
  EXPECT_EQ(memo.LineCount(), 0);
  EXPECT_EQ(std::u16string(kMemoClearQuestion), u"メモ内容を全消去します。本当によろしいですか？");
  EXPECT_EQ(std::u16string(kMemoClearedMessage), u"メモ内容を全消去しました。");
}

}  // namespace
}  // namespace glyphgrab
