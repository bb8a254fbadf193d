// Writes the synthesized folder tree of the search benchmark: 200 folders holding 5,000
// files, mostly JWW drawings of realistic size, some JWS, JWC, TXT, CSV and HTML files.
// With --big: 12 folders of 10 big drawings each, 1 to 5 MB, about 360 MB in all.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "bench/jw_synth.h"
#include "fixtures/dos_builder.h"
#include "fixtures/jww_builder.h"
#include "util/codepage.h"

namespace {

using namespace glyphgrab;
using namespace glyphgrab::testing;

void Write(const std::filesystem::path& p, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(p, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
void Write(const std::filesystem::path& p, const std::string& text) {
  std::ofstream(p, std::ios::binary) << text;
}

std::u16string Num(int n) { return Utf8ToStr(std::to_string(n)); }

// About 30 KB, like the drawings users keep: lines, texts, dimensions, a few blocks.
std::vector<std::uint8_t> Drawing(int n, bool unicode) {
  JwArchiveWriter w(unicode ? 700 : 600);
  JwwHeaderFields spec;
  spec.version = unicode ? 700 : 600;
  spec.memo = Txt::Sjis(u"物件" + Num(n) + u"\r\n平面図");
  for (int k = 0; k < 16; ++k) spec.layerNames[k] = Txt::Sjis(u"レイヤ" + Num(k));
  WriteJwwHeader(w, spec);
  const std::u16string words[] = {u"洋室（６帖）", u"W=1800 H=2100", u"ｷｯﾁﾝ", u"外壁：窯業系サイディング張り", u"GL+450"};
  TEntJwwSunpo dim;
  dim.att = AttrOf(1, 4);
  dim.Sen = LineOf(0, 0, 1800, 0);
  dim.Moji = MojiOf(900, 1);
  const int lines = 400, texts = 150, dims = 20;
  w.Count(lines + texts + dims);
  for (int k = 0; k < lines; ++k) w.Line(LineOf(k, 0, k + 10, 5));
  for (int k = 0; k < texts; ++k) {
    const std::u16string s = words[k % 5] + u" " + Num(n * 1000 + k);
    w.Moji(MojiOf(k, 0), unicode ? Txt::Utf16(s) : Txt::Sjis(s));
  }
  for (int k = 0; k < dims; ++k) w.Sunpo(dim, "1,800");
  w.Count(3);
  for (std::uint32_t b = 0; b < 3; ++b) {
    w.BlockDef(b, Txt::Sjis(u"部品" + Num(static_cast<int>(b)) + u"@@SfigorgFlag@@4"), 6);
    for (int k = 0; k < 5; ++k) w.Line(LineOf(k, 0, k, 10));
    w.Moji(MojiOf(0, 0), Txt::Sjis(u"部品名"));
  }
  if (unicode) w.w().I32(0);  // the image table of version 700
  return w.bytes();
}

std::vector<std::uint8_t> Symbol(int n) {
  JwArchiveWriter w(600);
  WriteJwsHeader(w, {});
  w.Count(40);
  for (int k = 0; k < 30; ++k) w.Line(LineOf(k, 0, k, 10));
  for (int k = 0; k < 10; ++k) w.Moji(MojiOf(k, 0), Txt::Sjis(u"記号" + Num(n * 10 + k)));
  w.Count(0);
  return w.bytes();
}

}  // namespace

int BigDrawings(const std::filesystem::path& root) {
  int n = 0;
  for (int folder = 0; folder < 12; ++folder) {
    const auto dir = root / ("site" + std::to_string(folder));
    std::filesystem::create_directories(dir);
    // Scales from 0.2 to 0.9 of the 5 MB drawing, in turn.
    for (int k = 0; k < 10; ++k, ++n)
      Write(dir / ("plan" + std::to_string(n) + ".jww"), bench::SynthesizedDrawing(0.2 + 0.1 * (n % 8)));
  }
  std::cout << n << " big drawings in 12 folders under " << root.string() << '\n';
  return 0;
}

int main(int argc, char** argv) {
  const bool big = argc == 3 && std::string(argv[1]) == "--big";
  if (argc != 2 && !big) {
    std::cerr << "usage: glyphgrab_bench_search_tree [--big] FOLDER\n";
    return 2;
  }
  const std::filesystem::path root = argv[argc - 1];
  if (big) return BigDrawings(root);
  int n = 0;
  for (int top = 0; top < 20; ++top) {
    for (int sub = 0; sub < 10; ++sub) {
      // 20 folders at the top, 9 below each: 200 folders.
      const auto folder = sub == 0 ? root / ("site" + std::to_string(top))
                                   : root / ("site" + std::to_string(top)) / ("part" + std::to_string(sub));
      std::filesystem::create_directories(folder);
      for (int k = 0; k < 18; ++k, ++n) Write(folder / ("plan" + std::to_string(n) + ".jww"), Drawing(n, n % 4 == 0));
      for (int k = 0; k < 3; ++k, ++n) Write(folder / ("sym" + std::to_string(n) + ".jws"), Symbol(n));
      JwcFixture jwc;
      jwc.comment1 = "old drawing " + std::to_string(n);
      for (int k = 0; k < 100; ++k) jwc.lines.push_back({});
      for (int k = 0; k < 40; ++k) jwc.texts.push_back({"text " + std::to_string(n * 100 + k)});
      Write(folder / ("old" + std::to_string(n++) + ".jwc"), jwc.Build());
      std::string txt, csv, html = "<html><head><title>index</title></head><body>\n";
      for (int k = 0; k < 200; ++k) {
        txt += "\x8d\x48\x8e\x96\x83\x81\x83\x82 line " + std::to_string(k) + "\r\n";  // 工事メモ
        csv += std::to_string(k) + ",\x95\x94\x95\x69," + std::to_string(k * 3) + "\r\n";  // 部品
        html += "<p>paragraph " + std::to_string(k) + "</p>\n";
      }
      Write(folder / ("notes" + std::to_string(n++) + ".txt"), txt);
      Write(folder / ("parts" + std::to_string(n++) + ".csv"), csv);
      Write(folder / ("page" + std::to_string(n++) + ".html"), html + "</body></html>\n");
    }
  }
  std::cout << n << " files in 200 folders under " << root.string() << '\n';
  return 0;
}
