// The synthesized drawing the reader benchmarks use: 70,000 entities (lines, arcs,
// points, 20,000 texts, 2,000 dimensions, 200 block insertions) and 200 block
// definitions, in the version-700 form with texts in both stored encodings; about 5 MB.
// `scale` multiplies the number of entities of each kind (the definitions stay).
#pragma once

#include <string>
#include <vector>

#include "fixtures/jww_builder.h"

namespace glyphgrab::bench {

inline std::vector<std::uint8_t> SynthesizedDrawing(double scale = 1.0) {
  using namespace glyphgrab::testing;
  JwArchiveWriter w(700);
  JwwHeaderFields spec;
  spec.version = 700;
  spec.memo = Txt::Utf16(u"ベンチマーク用図面\r\n７万要素");
  for (int k = 0; k < 256; ++k)
    spec.layerNames[k] = Txt::Utf16(u"レイヤ" + std::u16string(1, static_cast<char16_t>(u'A' + k % 26)));
  WriteJwwHeader(w, spec);

  const std::u16string words[] = {u"洋室（６帖）", u"W=1800 H=2100", u"ｷｯﾁﾝ", u"構造用合板 t=12",
                                  u"外壁：窯業系サイディング張り", u"GL+450"};
  const auto scaled = [scale](int n) { return static_cast<int>(n * scale); };
  const int lines = scaled(36000), arcs = scaled(8000), points = scaled(3800), texts = scaled(20000),
            dims = scaled(2000), inserts = scaled(200);
  w.Count(static_cast<std::uint32_t>(lines + arcs + points + texts + dims + inserts));
  TEntJwwEnko arc;
  arc.att = AttrOf(1, 2);
  arc.dHankei = 5;
  arc.radEnkoKaku = 6.28;
  arc.dHenpeiRitsu = 1;
  TEntJwwTen point;
  point.att = AttrOf(1, 3);
  TEntJwwSunpo dim;
  dim.att = AttrOf(1, 4);
  dim.Sen = LineOf(0, 0, 1800, 0);
  dim.Moji = MojiOf(900, 1);
  // Interleaved as drawings hold them: runs of lines with texts between.
  int l = 0, a = 0, p = 0, t = 0, d = 0, b = 0;
  while (l < lines || a < arcs || p < points || t < texts || d < dims || b < inserts) {
    for (int k = 0; k < 7 && l < lines; ++k, ++l) w.Line(LineOf(l, 0, l + 10, 5));
    for (int k = 0; k < 2 && a < arcs; ++k, ++a) {
      arc.start_x = a;
      w.Enko(arc);
    }
    if (p < points) {
      point.start_x = p++;
      w.Ten(point);
    }
    for (int k = 0; k < 4 && t < texts; ++k, ++t) {
      const std::u16string& s = words[static_cast<std::size_t>(t) % std::size(words)];
      w.Moji(MojiOf(t, 0), t % 2 ? Txt::Utf16(s) : Txt::Sjis(s), Txt::Utf16(u"ＭＳ ゴシック"));
    }
    if (d < dims) {
      ++d;
      w.Sunpo(dim, "1,800", Txt::Utf16(u"ＭＳ ゴシック"));
    }
    if (b < inserts) {
      w.Block(BlockOf(static_cast<std::uint32_t>(b % 200), b * 10.0, 0));
      ++b;
    }
  }
  w.Count(200);
  for (std::uint32_t n = 0; n < 200; ++n) {
    const std::u16string digit(1, static_cast<char16_t>(u'0' + n % 10));
    w.BlockDef(n, Txt::Utf16(u"部品" + digit + u"@@SfigorgFlag@@4"), 12, n % 2 == 0);
    for (int k = 0; k < 10; ++k) w.Line(LineOf(k, 0, k, 10));
    w.Moji(MojiOf(0, 0), Txt::Utf16(u"部品名")).Moji(MojiOf(0, 5), "W=600");
  }
  w.w().I32(0);  // no embedded images
  return w.bytes();
}

}  // namespace glyphgrab::bench
