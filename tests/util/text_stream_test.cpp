#include "util/text_stream.h"

#include <gtest/gtest.h>

#include "fixtures/temp_dir.h"
#include "util/paths.h"
#include "util/text_file.h"

namespace glyphgrab {
namespace {

using Lines = std::vector<std::u16string>;

Bytes B(std::string_view s) { return Bytes(s.begin(), s.end()); }

// Texts whose characters span several bytes in every encoding, with bad bytes.
const std::string kSamples[] = {
    // Code page 932: a bad pair, a lead before LF and one at the end.
    "\x82\xa0\x90\x7D\x96\xCA\r\nA\x85\x40z\x81\x0A\x82\xA0\x81",
    "\xEF\xBB\xBF\xE3\x81\x82\xF0\x9F\x98\x80\nx\xFF\xE3\x81",  // UTF-8, cut at the end
    std::string("\xFF\xFE\x42\x30\x3D\xD8\x00\xDE\r\0\n\0\x00\xD8", 14),  // UTF-16LE pair, lone lead
    std::string("\xFE\xFF\x30\x42\xD8\x3D\xDE\x00\0\n\0b\x00", 13),       // UTF-16BE, odd byte
};

TEST(TextDecoder, PiecesDecodeAsTheWhole) {
  for (const std::string& sample : kSamples) {
    const Bytes bytes = B(sample);
    const ByteOrderMark mark = DetectByteOrderMark(bytes);
    const ByteSpan body = ByteSpan(bytes).subspan(mark.length);
    TextDecoder whole(mark.encoding);
    std::u16string expected;
    whole.Decode(body, true, expected);
    for (std::size_t cut = 0; cut <= body.size(); ++cut) {
      TextDecoder pieces(mark.encoding);
      std::u16string text;
      pieces.Decode(body.first(cut), false, text);
      pieces.Decode(body.subspan(cut), true, text);
      EXPECT_EQ(text, expected) << sample.size() << " cut at " << cut;
      EXPECT_EQ(pieces.undecodable(), whole.undecodable()) << "cut at " << cut;
    }
  }
}

struct Streamed {
  Lines lines;          // pieces joined into lines
  std::vector<std::size_t> pieceSizes;
  TextStreamInfo info;
  bool read = false;
};

Streamed Stream(const std::u16string& path, std::uint64_t limit = UINT64_MAX) {
  Streamed s;
  bool open = false;
  s.read = StreamTextFile(
      path,
      [&](const TextPiece& p) {
        if (!open) s.lines.emplace_back();
        s.lines.back() += p.text;
        s.pieceSizes.push_back(p.text.size());
        open = !p.lineEnds;
        return true;
      },
      &s.info, limit);
  return s;
}

TEST(StreamTextFile, GivesTheLinesOfTheWholeFile) {
  testing::TempDir dir;
  const std::u16string base = NativeToPath(dir.folder());
  // A CR that ends the first read and its LF that starts the second, and a line of
  // several pieces whose cut falls inside a surrogate pair.
  std::string crlf(65535, 'a');
  crlf += "\r\nb\n";
  std::string longLine = "\xEF\xBB\xBF" + std::string(kTextPieceUnits - 1, 'x') + "\xF0\x9F\x98\x80" +
                         std::string(2 * kTextPieceUnits, 'y') + "\nend";
  std::vector<std::string> files(std::begin(kSamples), std::end(kSamples));
  files.push_back(crlf);
  files.push_back(longLine);
  files.push_back("");
  files.push_back("a\n\n");
  // UTF-8 without a mark whose first non-ASCII character straddles the first read.
  files.push_back(std::string(65535, 'a') + "\xE3\x81\x82\n");
  for (std::size_t k = 0; k < files.size(); ++k) {
    const std::string name = "f" + std::to_string(k) + ".txt";
    dir.Write(name, files[k]);
    const TextLines whole = DecodeTextLines(B(files[k]));
    const Streamed s = Stream(base + NativeToPath(name));
    EXPECT_TRUE(s.read);
    EXPECT_EQ(s.lines, whole.lines) << k;
    EXPECT_EQ(s.info.encoding, whole.encoding) << k;
    EXPECT_EQ(s.info.undecodable, whole.undecodable) << k;
    for (std::size_t size : s.pieceSizes) EXPECT_LE(size, kTextPieceUnits) << k;
  }
  EXPECT_EQ(DecodeTextLines(B(files.back())).encoding, TextEncoding::Utf8);
  // The long line: the first cut moves before the surrogate pair.
  const std::size_t n = kTextPieceUnits;
  EXPECT_EQ(Stream(base + u"f" + NativeToPath(std::to_string(files.size() - 4)) + u".txt").pieceSizes,
            (std::vector<std::size_t>{n - 1, n, n, 2, 3}));
}

TEST(StreamTextFile, ByteLimitAndFailures) {
  testing::TempDir dir;
  const std::u16string base = NativeToPath(dir.folder());
  dir.Write("u.txt", "\xEF\xBB\xBFone\n\xE3\x81\x82\xE3\x81\x82");
  // Eight bytes end inside the second あ: it is dropped, not undecodable.
  Streamed s = Stream(base + u"u.txt", 11);
  EXPECT_EQ(s.lines, (Lines{u"one", u"あ"}));
  EXPECT_EQ(s.info.undecodable, 0u);

  EXPECT_FALSE(Stream(base + u"missing.txt").read);
  EXPECT_FALSE(Stream(base).read);  // a folder

  int handed = 0;
  TextStreamInfo info;
  EXPECT_TRUE(StreamTextFile(base + u"u.txt", [&](const TextPiece&) { return ++handed < 1; }, &info));
  EXPECT_EQ(handed, 1);
  EXPECT_TRUE(info.ended);
}

}  // namespace
}  // namespace glyphgrab
