// The preview pane: the selected file's drawing painted from its render model, fitted to
// the pane; the texts equal to the selected extraction line are marked and the view
// zooms to them. The wheel zooms about the pointer, dragging pans, a double click fits
// the whole sheet again.
#pragma once

#include <QString>
#include <QWidget>

class QPainter;

#include <memory>
#include <string>
#include <vector>

#include "render/preview_camera.h"
#include "render/render_model.h"

namespace glyphgrab::gui {

class DrawingPreview : public QWidget {
 public:
  explicit DrawingPreview(QWidget* parent = nullptr);

  // Shows `model` (nothing when null) fitted to the pane; the mark is kept.
  void SetModel(std::shared_ptr<const RenderModel> model);
  // Marks the texts that show `text` and zooms to them; an empty text, or one that no
  // text shows, fits the whole sheet.
  void SetMark(const std::u16string& text);
  // Shows the whole sheet.
  void Fit();
  // A line written at the pane's top, over the drawing (why it is cut or missing).
  void SetNote(const QString& note);
  const QString& note() const { return note_; }

  const RenderModel* model() const { return camera_.model(); }
  std::size_t markedCount() const { return camera_.marked().size(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QPointF ToScreen(RenderPoint p) const;
  void DrawDrawing(QPainter& painter);

  PreviewCamera camera_;
  QPoint dragFrom_;
  QString note_;
};

}  // namespace glyphgrab::gui
