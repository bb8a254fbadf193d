#include "gui/qt/send_runner.h"

#include <QMetaObject>

namespace glyphgrab::gui {
namespace {

// The clipboard is the window thread's; the worker never touches it.
class NoClipboard final : public Clipboard {
 public:
  bool SetText(std::u16string_view) override { return false; }
};

}  // namespace

SendRunner::SendRunner(KeySender& keys, WindowSystem& windows, EscKeyState* esc, std::function<void(double)> wait)
    : keys_(keys), windows_(windows), esc_(esc), wait_(std::move(wait)) {}

SendRunner::~SendRunner() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

void SendRunner::Start(SendPlan plan, WindowId window, TSend_jww profile, QObject* context,
                       std::function<void(SendResult)> done) {
  stop_ = false;
  QPointer<QObject> receiver(context);
  worker_ = std::thread([this, plan = std::move(plan), window, profile = std::move(profile), receiver,
                         done = std::move(done)] {
    NoClipboard clipboard;
    SendServices services{keys_, windows_, clipboard, wait_,
                          [this] { return stop_.load() || (esc_ != nullptr && esc_->IsEscDown()); }};
    const SendResult result = PlaySend(plan, window, profile, services);
    QMetaObject::invokeMethod(
        this,
        [this, receiver, done, result] {
          if (worker_.joinable()) worker_.join();
          if (receiver) done(result);
        },
        Qt::QueuedConnection);
  });
}

}  // namespace glyphgrab::gui
