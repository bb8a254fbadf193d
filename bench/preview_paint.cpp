// Painting the drawing preview at 1280 x 900: the 70,000-entity synthesized drawing,
// fitted (most texts too small to draw) and zoomed in (texts drawn). With FILE [MARK]
// OUT.png it paints that drawing instead, MARK outlined, into a picture.
//   QT_QPA_PLATFORM=offscreen glyphgrab_bench_preview [FILE [MARK] OUT.png]
#include <QApplication>
#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench/jw_synth.h"
#include "documents/jww_data.h"
#include "gui/qt/desktop.h"
#include "gui/qt/drawing_preview.h"
#include "render/render_file.h"
#include "util/codepage.h"

namespace {

double MedianPaintMs(glyphgrab::gui::DrawingPreview& preview, QImage& image) {
  std::vector<double> times;
  for (int i = 0; i < 15; ++i) {
    const auto start = std::chrono::steady_clock::now();
    preview.render(&image);
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  glyphgrab::gui::DrawingPreview preview;
  preview.resize(1280, 900);
  QImage image(1280, 900, QImage::Format_RGB32);
  if (argc >= 3) {
    preview.resize(960, 600);
    image = QImage(960, 600, QImage::Format_RGB32);
    glyphgrab::RenderFileResult r = glyphgrab::RenderFile(glyphgrab::Utf8ToStr(argv[1]));
    preview.SetModel(std::make_shared<glyphgrab::RenderModel>(std::move(r.model)));
    if (argc >= 4) preview.SetMark(glyphgrab::Utf8ToStr(argv[2]));
    preview.render(&image);
    return image.save(QString::fromUtf8(argv[argc - 1])) ? 0 : 1;
  }
  glyphgrab::TJwwData doc;
  if (!doc.FileInBytes(glyphgrab::bench::SynthesizedDrawing())) return 1;
  auto model = std::make_shared<glyphgrab::RenderModel>(glyphgrab::RenderDrawing(doc));
  preview.SetModel(model);
  std::printf("%zu primitives\n", model->items.size());
  std::printf("paint, whole sheet fitted:  %6.1f ms (median of 15)\n", MedianPaintMs(preview, image));
  // A text of the drawing marked: the view zooms to it and draws the texts around it.
  for (const glyphgrab::RenderPrimitive& p : model->items) {
    if (p.kind == glyphgrab::RenderKind::kText) {
      preview.SetMark(p.text);
      break;
    }
  }
  std::printf("paint, zoomed to a text:    %6.1f ms (median of 15)\n", MedianPaintMs(preview, image));
  return 0;
}
