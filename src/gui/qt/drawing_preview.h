// The preview pane: the selected file's drawing painted from its render model, fitted to
// the pane; the texts equal to the selected extraction line are marked and the view
// zooms to them. The wheel zooms about the pointer, dragging pans, a double click fits
// the whole sheet again.
#pragma once

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

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

  const RenderModel* model() const { return model_.get(); }
  std::size_t markedCount() const { return marked_.size(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // Shows the paper rectangle [min, max] as large as the pane allows.
  void ZoomTo(RenderPoint min, RenderPoint max);
  QPointF ToScreen(RenderPoint p) const;

  std::shared_ptr<const RenderModel> model_;
  std::u16string mark_;
  std::vector<std::size_t> marked_;  // indexes of the marked texts
  double scale_ = 1;                 // pixels per millimetre
  QPointF origin_;                   // the screen point of paper (0, 0)
  bool fitted_ = true;               // follow the pane's size
  QPoint dragFrom_;
};

}  // namespace glyphgrab::gui
