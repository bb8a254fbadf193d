// Real drawings and symbols from users, kept outside the repository. Every whole one must
// read completely, and a copy damaged in transit up to its last byte; the drawings' texts are compared with what an independent parser read
// (corpus/peer/), which keeps control characters inside texts that we remove.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <unicode/ucnv.h>

#include "documents/jws_data.h"
#include "fixtures/corpus_manifest.h"
#include "documents/jww_data.h"
#include "util/codepage.h"
#include "util/strings.h"
#include "util/text_decoder.h"

namespace glyphgrab {
namespace {

namespace fs = std::filesystem;

fs::path CorpusDir() { return fs::path(GLYPHGRAB_CORPUS_DIR); }

std::vector<fs::path> CorpusFiles(const char* folder, const char* ext) {
  std::vector<fs::path> out;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(CorpusDir() / folder, ec)) {
    if (e.path().extension() == ext) out.push_back(e.path());
  }
  std::sort(out.begin(), out.end());
  return out;
}

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The JSON string starting at s[i] (at its opening quote); i ends after it.
std::u16string JsonString(const std::string& s, std::size_t& i) {
  std::string utf8;
  std::u16string out;
  auto flush = [&] {
    out += Utf8ToStr(utf8);
    utf8.clear();
  };
  for (++i; i < s.size() && s[i] != '"'; ++i) {
    if (s[i] != '\\') {
      utf8 += s[i];
      continue;
    }
    const char c = s[++i];
    switch (c) {
      case 'n': utf8 += '\n'; break;
      case 'r': utf8 += '\r'; break;
      case 't': utf8 += '\t'; break;
      case 'b': utf8 += '\b'; break;
      case 'f': utf8 += '\f'; break;
      case 'u':
        flush();
        out += static_cast<char16_t>(std::stoi(s.substr(i + 1, 4), nullptr, 16));
        i += 4;
        break;
      default: utf8 += c; break;
    }
  }
  ++i;
  flush();
  return out;
}

struct Peer {
  bool ok = false;
  std::u16string memo;
  std::vector<std::u16string> texts;
};

Peer ReadPeer(const fs::path& p) {
  Peer peer;
  const std::string s = ReadAll(p);
  if (s.find("\"status\": \"ok\"") == std::string::npos) return peer;
  peer.ok = true;
  std::size_t i = s.find("\"memo\":");
  i = s.find('"', i + 7);
  peer.memo = JsonString(s, i);
  i = s.find('[', s.find("\"texts\":"));
  for (;;) {
    i = s.find_first_of("\"]", i);
    if (i == std::string::npos || s[i] == ']') break;
    peer.texts.push_back(JsonString(s, i));
  }
  return peer;
}

bool TailIsEmptyImageTable(ByteSpan bytes, std::size_t stop) {
  return bytes.size() == stop + 4 && bytes[stop] == 0 && bytes[stop + 1] == 0 && bytes[stop + 2] == 0 &&
         bytes[stop + 3] == 0;
}

TEST(JwCorpus, EveryDrawingReadsCompletely) {
  const auto files = CorpusFiles("jww", ".jww");
  if (files.empty()) GTEST_SKIP() << "corpus folder " << CorpusDir() << " is absent: skipped";
  const auto manifest = testing::CorpusManifestSizes(CorpusDir());
  TJwwData doc;
  std::size_t compared = 0;
  std::size_t damaged = 0;
  for (const fs::path& f : files) {
    const std::u16string path = Utf8ToStr(f.string());
    SCOPED_TRACE(f.filename().string());
    ASSERT_TRUE(doc.FileCheck(path));
    Bytes bytes;
    const std::string raw = ReadAll(f);
    bytes.assign(raw.begin(), raw.end());
    if (testing::IsDamagedCorpusCopy(manifest, f)) {
      // Cut short: everything up to the cut is read, and the reader says where it stopped.
      ++damaged;
      EXPECT_FALSE(doc.FileIn(path));
      EXPECT_EQ(doc.readInfo.stopPos, bytes.size());
      continue;
    }
    ASSERT_TRUE(doc.FileHeaderIn(path));
    const std::u16string memo = doc.Enthd.strMemo;
    ASSERT_TRUE(doc.FileIn(path));
    EXPECT_EQ(doc.Enthd.strMemo, memo);
    // Version 700 drawings end with the (empty) image table, which stays unread.
    if (doc.Enthd.jwVer >= 700) {
      EXPECT_TRUE(TailIsEmptyImageTable(bytes, doc.readInfo.stopPos));
    } else {
      EXPECT_EQ(doc.readInfo.stopPos, bytes.size());
    }
    // Real version-700 files from Unicode builds store their texts as UTF-16.
    if (doc.MojiEncode) {
      EXPECT_EQ(doc.Enthd.jwVer, 700);
    }
    for (std::int32_t d = 0; d < doc.EntBlockDefN; ++d) {
      EXPECT_NE(doc.EntBlockDef[static_cast<std::size_t>(d)].strName.find(u"@@SfigorgFlag@@"), std::u16string::npos);
    }

    const Peer peer = ReadPeer(CorpusDir() / "peer" / (f.filename().string() + ".json"));
    if (!peer.ok) continue;  // the peer cannot read the UTF-16 files
    ++compared;
    EXPECT_EQ(doc.Enthd.strMemo, peer.memo);
    std::vector<std::u16string> ours;
    for (std::size_t k = 0; k < doc.EntNo.size(); ++k) {
      const TEntJwwNo& no = doc.EntNo[k];
      if (no.EntType == kEntMoji) ours.push_back(doc.EntMoji[static_cast<std::size_t>(no.EntNo)].str);
    }
    ASSERT_EQ(ours.size(), peer.texts.size());
    for (std::size_t k = 0; k < ours.size(); ++k) {
      // A text may hold a bare LF in the file; our texts are free of control characters.
      EXPECT_EQ(ours[k], RemoveControlChars(peer.texts[k])) << k;
    }
  }
  EXPECT_GT(compared, 10u);
  if (damaged > 0) std::printf("note: %zu damaged corpus copies read up to their cut\n", damaged);
}

// Real Japanese texts as code page 932 bytes: the symbols' and drawings' own texts, saved
// as a text file without a byte-order mark, must never pass for UTF-8.
TEST(JwCorpus, RealCodePage932TextsAreNotTakenForUtf8) {
  std::vector<fs::path> files = CorpusFiles("jws", ".jws");
  const auto drawings = CorpusFiles("jww", ".jww");
  files.insert(files.end(), drawings.begin(), drawings.end());
  if (files.empty()) GTEST_SKIP() << "corpus folder " << CorpusDir() << " is absent: skipped";
  UErrorCode err = U_ZERO_ERROR;
  UConverter* cp932 = ucnv_open("windows-31j", &err);
  ASSERT_TRUE(U_SUCCESS(err));
  std::size_t samples = 0;
  std::vector<std::string> takenForUtf8;
  TJwsData symbol;
  TJwwData drawing;
  for (const fs::path& f : files) {
    const std::u16string path = Utf8ToStr(f.string());
    const bool isSymbol = f.extension() == ".jws";
    if (isSymbol ? !symbol.FileIn(path) : !drawing.FileIn(path)) continue;
    const auto& texts = isSymbol ? symbol.EntMoji : drawing.EntMoji;
    if (isSymbol ? symbol.MojiEncode : drawing.MojiEncode) continue;  // stored as UTF-16
    for (const auto& moji : texts) {
      const std::u16string& t = moji.str;
      if (std::all_of(t.begin(), t.end(), [](char16_t c) { return c < 0x80; })) continue;
      std::string bytes(t.size() * 2 + 1, '\0');
      err = U_ZERO_ERROR;
      const int32_t n = ucnv_fromUChars(cp932, bytes.data(), static_cast<int32_t>(bytes.size()), t.data(),
                                        static_cast<int32_t>(t.size()), &err);
      bytes.resize(static_cast<std::size_t>(n));
      ++samples;
      const Bytes b(bytes.begin(), bytes.end());
      if (DetectTextEncoding(b, true).encoding != TextEncoding::Cp932) takenForUtf8.push_back(StrToUtf8(t));
    }
  }
  ucnv_close(cp932);
  std::printf("note: %zu real code page 932 texts, %zu taken for UTF-8\n", samples, takenForUtf8.size());
  EXPECT_GT(samples, 500u);
  EXPECT_EQ(takenForUtf8, std::vector<std::string>{});
}

TEST(JwCorpus, EverySymbolReadsCompletely) {
  const auto files = CorpusFiles("jws", ".jws");
  if (files.empty()) GTEST_SKIP() << "corpus folder " << CorpusDir() << " is absent: skipped";
  TJwsData doc;
  for (const fs::path& f : files) {
    const std::u16string path = Utf8ToStr(f.string());
    SCOPED_TRACE(f.filename().string());
    ASSERT_TRUE(doc.FileCheck(path));
    ASSERT_TRUE(doc.FileHeaderIn(path));
    ASSERT_TRUE(doc.FileIn(path));
    EXPECT_EQ(doc.readInfo.stopPos, fs::file_size(f));
    EXPECT_EQ(doc.EntMoji.size(), static_cast<std::size_t>(doc.EntMojiN));
  }
}

}  // namespace
}  // namespace glyphgrab
