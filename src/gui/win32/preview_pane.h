// The drawing preview as a Win32 child window: the render model painted with GDI into an
// off-screen bitmap, so a repaint never flickers. The camera does the arithmetic; this
// pane forwards the wheel (zoom about the pointer), dragging (pan) and a double click
// (fit) to it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "render/preview_camera.h"

namespace glyphgrab::wingui {

class PreviewPane {
 public:
  PreviewPane() = default;
  PreviewPane(const PreviewPane&) = delete;
  PreviewPane& operator=(const PreviewPane&) = delete;
  ~PreviewPane();

  bool Create(HWND parent, int id);
  HWND hwnd() const { return hwnd_; }

  void SetModel(std::shared_ptr<const RenderModel> model);
  void SetMark(const std::u16string& text);
  // A line written at the pane's top, over the drawing (why it is cut or missing).
  void SetNote(std::u16string note);
  const std::u16string& note() const { return note_; }
  void Fit();

  const PreviewCamera& camera() const { return camera_; }
  PreviewCamera& camera() { return camera_; }  // changes show at the next paint
  // Paints the preview at the camera's size into `dc` (the pane's bitmap, a test's).
  void PaintTo(HDC dc) const;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void Repaint();
  void PaintDrawing(HDC dc) const;
  void PaintNote(HDC dc) const;

  HWND hwnd_ = nullptr;
  PreviewCamera camera_;
  POINT dragFrom_{};
  bool dragging_ = false;
  std::u16string note_;
  // The off-screen bitmap, kept while the pane keeps its size.
  HDC bufferDc_ = nullptr;
  HBITMAP buffer_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  int bufferWidth_ = 0, bufferHeight_ = 0;
};

}  // namespace glyphgrab::wingui
