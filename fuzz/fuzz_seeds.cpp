// Writes seed inputs for the fuzz targets: whole drawings and symbols built by the test
// fixtures, and bodies (entity lists after a header) in the form the targets complete
// with a header of their own. Usage:
//   glyphgrab_fuzz_seeds JWW_FOLDER JWS_FOLDER JWC_FOLDER JWK_FOLDER
#include <cstdio>
#include <fstream>
#include <string>

#include "fixtures/dos_builder.h"
#include "fixtures/jww_builder.h"

namespace {

using namespace glyphgrab;
using namespace glyphgrab::testing;

void Save(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

// Every entity kind, two definitions (one nested, one in the long time form).
void Body(JwArchiveWriter& w) {
  TEntJwwTen special;
  special.att = AttrOf(100, 1);
  TEntJwwSolid solid;
  solid.att = AttrOf(1, 10);
  TEntJwwEnko arc;
  arc.att = AttrOf(1, 2);
  TEntJwwSunpo dim;
  dim.Kt2.att = AttrOf(100, 1);
  w.Count(8)
      .Line(LineOf(0, 0, 1, 1))
      .Enko(arc)
      .Ten(special)
      .Moji(MojiOf(0, 0), Txt::Sjis(u"文字"))
      .Moji(MojiOf(0, 0), Txt::Utf16(u"ユニ", true))
      .Sunpo(dim, "100")
      .Solid(solid)
      .Block(BlockOf(2, 1, 1, 2, 2, 0.5));
  w.Count(2);
  w.BlockDef(1, "one@@SfigorgFlag@@4", 2, true).Line(LineOf(0, 0, 2, 2)).Moji(MojiOf(0, 0), "in one");
  w.BlockDef(2, Txt::Utf16(u"two"), 2).Block(BlockOf(1, 0, 0)).Moji(MojiOf(0, 0), "in two");
}

// The DOS generation: full files of both layer-scale forms, texts reached through the
// string area's address rule, and a file that stops inside its records.
void DosSeeds(const std::string& jwcDir, const std::string& jwkDir) {
  JwcFixture jwc = FullJwcDrawing();
  Save(jwcDir + "full", jwc.Build());
  Save(jwcDir + "cut", Cut(jwc.Build(), 2600));
  jwc.id = "jw_cad(c)data.........i";  // 16-bit layer-group scales
  Save(jwcDir + "scale16", jwc.Build());
  Save(jwcDir + "empty", JwcFixture{}.Build());

  JwkFixture jwk = FullJwkSymbol();
  Save(jwkDir + "full", jwk.Build());
  Save(jwkDir + "cut", Cut(jwk.Build(), 430));
  Save(jwkDir + "empty", JwkFixture{}.Build());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: glyphgrab_fuzz_seeds JWW_FOLDER JWS_FOLDER JWC_FOLDER JWK_FOLDER\n");
    return 2;
  }
  const std::string jwwDir = std::string(argv[1]) + "/", jwsDir = std::string(argv[2]) + "/";
  DosSeeds(std::string(argv[3]) + "/", std::string(argv[4]) + "/");
  for (std::int32_t v : {230, 300, 420, 600, 700}) {
    JwArchiveWriter full(v);
    JwwHeaderFields spec;
    spec.version = v;
    spec.memo = Txt::Sjis(u"メモ\r\n二行目");
    spec.layerNames[0] = "layer";
    WriteJwwHeader(full, spec);
    Body(full);
    if (v >= 700) full.w().I32(1).U8(5).Raw("a.png").I32(3).Raw("PNG");
    Save(jwwDir + "full" + std::to_string(v), full.bytes());

    JwArchiveWriter body(v);
    Body(body);
    std::vector<std::uint8_t> seed = {static_cast<std::uint8_t>(v == 230 ? 1 : v == 300 ? 3 : v == 420 ? 7 : v == 600 ? 8 : 9)};
    seed.insert(seed.end(), body.bytes().begin(), body.bytes().end());
    Save(jwwDir + "body" + std::to_string(v), seed);

    JwArchiveWriter symbol(v);
    JwsHeaderFields js;
    js.version = v;
    WriteJwsHeader(symbol, js);
    Body(symbol);
    Save(jwsDir + "full" + std::to_string(v), symbol.bytes());
    std::vector<std::uint8_t> jseed = {static_cast<std::uint8_t>(v == 230 ? 0 : v == 300 ? 1 : v == 420 ? 5 : v == 600 ? 6 : 7)};
    jseed.insert(jseed.end(), body.bytes().begin(), body.bytes().end());
    Save(jwsDir + "body" + std::to_string(v), jseed);
  }
  return 0;
}
