#include "gui/qt/drawing_preview.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "gui/qt/desktop.h"

namespace glyphgrab::gui {
namespace {

constexpr QColor kMarkColor{255, 102, 0};

QColor ColorOf(const RenderModel& model, std::uint16_t pen) {
  const RenderColor c = PenColor(model, pen);
  return QColor(c.r, c.g, c.b);
}

}  // namespace

DrawingPreview::DrawingPreview(QWidget* parent) : QWidget(parent) {
  setMinimumSize(40, 30);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingPreview::SetModel(std::shared_ptr<const RenderModel> model) {
  camera_.SetModel(std::move(model));
  update();
}

void DrawingPreview::SetMark(const std::u16string& text) {
  camera_.SetMark(text);
  update();
}

void DrawingPreview::SetNote(const QString& note) {
  note_ = note;
  update();
}

void DrawingPreview::Fit() {
  camera_.Fit();
  update();
}

QPointF DrawingPreview::ToScreen(RenderPoint p) const {
  const ScreenPoint s = camera_.ToScreen(p);
  return {s.x, s.y};
}

void DrawingPreview::resizeEvent(QResizeEvent*) { camera_.Resize(width(), height()); }

void DrawingPreview::wheelEvent(QWheelEvent* event) {
  camera_.Wheel(event->angleDelta().y(), {event->position().x(), event->position().y()});
  update();
}

void DrawingPreview::mousePressEvent(QMouseEvent* event) { dragFrom_ = event->pos(); }

void DrawingPreview::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  const QPoint by = event->pos() - dragFrom_;
  camera_.Pan(by.x(), by.y());
  dragFrom_ = event->pos();
  update();
}

void DrawingPreview::mouseDoubleClickEvent(QMouseEvent*) { Fit(); }

void DrawingPreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(236, 236, 236));
  DrawDrawing(painter);
  if (note_.isEmpty()) return;
  // Wrapped on a band across the top, readable over any drawing.
  const QRect textArea = rect().adjusted(8, 6, -8, -6);
  const QRect need = painter.fontMetrics().boundingRect(textArea, Qt::TextWordWrap, note_);
  painter.fillRect(QRect(0, 0, width(), need.height() + 12), QColor(255, 244, 214));
  painter.setPen(QColor(150, 40, 0));
  painter.drawText(textArea, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, note_);
}

void DrawingPreview::DrawDrawing(QPainter& painter) {
  if (!camera_.model()) return;
  const RenderModel& m = *camera_.model();
  const RenderPoint lo = FrameMin(m), hi = FrameMax(m);
  const QRectF sheet(ToScreen({lo.x, hi.y}), ToScreen({hi.x, lo.y}));
  painter.fillRect(sheet, Qt::white);
  painter.setPen(QColor(150, 150, 150));
  painter.drawRect(sheet);

  const QRectF view = QRectF(rect()).adjusted(-2, -2, 2, 2);
  // Lines in batches by colour: one call each instead of one per line.
  std::vector<std::vector<QLineF>> lines(16);
  std::vector<std::uint16_t> otherPens;
  for (const RenderPrimitive& p : m.items) {
    if (p.kind != RenderKind::kLine) continue;
    const QLineF l(ToScreen(p.a), ToScreen(p.b));
    if (!view.intersects(QRectF(l.p1(), l.p2()).normalized().adjusted(-1, -1, 1, 1))) continue;
    lines[std::min<std::size_t>(p.pen, 15)].push_back(l);
  }
  for (std::uint16_t pen = 0; pen < 16; ++pen) {
    if (lines[pen].empty()) continue;
    painter.setPen(QPen(ColorOf(m, pen), 0));
    painter.drawLines(lines[pen].data(), static_cast<int>(lines[pen].size()));
  }
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (const RenderPrimitive& p : m.items) {
    switch (p.kind) {
      case RenderKind::kLine: break;
      case RenderKind::kArc: {
        const double r = p.radius * camera_.scale();
        const QPointF c = ToScreen(p.a);
        if (!view.intersects(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r))) break;
        painter.setPen(QPen(ColorOf(m, p.pen), 0));
        const int steps = camera_.ArcSteps(p);
        QPainterPath path;
        const ArcTracer arc(p, steps);
        for (int k = 0; k <= steps; ++k) {
          const QPointF q = ToScreen(arc[k]);
          k == 0 ? path.moveTo(q) : path.lineTo(q);
        }
        painter.drawPath(path);
        break;
      }
      case RenderKind::kPoint: {
        const QPointF c = ToScreen(p.a);
        if (view.contains(c)) painter.fillRect(QRectF(c.x() - 1, c.y() - 1, 2, 2), ColorOf(m, p.pen));
        break;
      }
      case RenderKind::kSolid: {
        const QPointF q[4] = {ToScreen(p.quad[0]), ToScreen(p.quad[1]), ToScreen(p.quad[2]), ToScreen(p.quad[3])};
        painter.setPen(Qt::NoPen);
        painter.setBrush(ColorOf(m, p.pen));
        painter.drawPolygon(q, 4);
        painter.setBrush(Qt::NoBrush);
        break;
      }
      case RenderKind::kText: {
        const double px = camera_.TextPixels(p);
        const QPointF at = ToScreen(p.a);
        if (!view.adjusted(-px * 40, -px * 40, px * 40, px * 40).contains(at)) break;
        QFont font(p.font.empty() ? QString() : ToQ(p.font));
        font.setPixelSize(std::max(1, static_cast<int>(px)));
        painter.setFont(font);
        painter.setPen(ColorOf(m, p.pen));
        painter.save();
        painter.translate(at);
        painter.rotate(-p.angle);
        painter.drawText(QPointF(0, 0), ToQ(p.text));
        painter.restore();
        break;
      }
    }
  }
  // The marked texts last, above everything.
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(kMarkColor, 2));
  for (const std::size_t i : camera_.marked()) {
    RenderPoint corners[4];
    TextCorners(m.items[i], corners);
    QPolygonF box;
    for (const RenderPoint& k : corners) box << ToScreen(k);
    painter.drawRect(box.boundingRect().adjusted(-3, -3, 3, 3));
  }
}

}  // namespace glyphgrab::gui
