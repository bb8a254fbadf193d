// Peak memory of FileIn: `glyphgrab_jww_peak --write FILE` writes the synthesized
// drawing; `glyphgrab_jww_peak FILE` reads it once. Run the second form under
// /usr/bin/time -v and compare "Maximum resident set size" with the file size.
#include <cstdio>
#include <cstring>
#include <fstream>

#include "bench/jw_synth.h"
#include "documents/jww_data.h"
#include "util/codepage.h"

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--write") == 0) {
    const auto bytes = glyphgrab::bench::SynthesizedDrawing();
    std::ofstream(argv[2], std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    std::printf("%zu bytes\n", bytes.size());
    return 0;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: glyphgrab_jww_peak [--write] FILE\n");
    return 2;
  }
  glyphgrab::TJwwData doc;
  const bool ok = doc.FileIn(glyphgrab::Utf8ToStr(argv[1]));
  std::printf("FileIn %s: %d entities, %d texts, %d definitions\n", ok ? "complete" : "stopped",
              doc.Enthd.n1, doc.EntMojiN, doc.EntBlockDefN);
  return ok ? 0 : 1;
}
