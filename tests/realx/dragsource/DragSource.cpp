// A drag source in an X client of its own, for the real-X tier: a small window that starts a drag
// when it is pressed, as a file manager or a text editor would.
//   drag_source --title TITLE --file PATH   offers the file: its URL, and the URL as text
//   drag_source --title TITLE --text TEXT   offers the text
// It prints "dragging" when the drag starts, "accepted" when a target first accepts it (an
// XdndStatus that accepts), "done N" with the drop action when the drag is over, and "finished"
// when the target reports the drop handled (XdndFinished). It then stays, as a file manager does:
// the target fetches the dropped data from it after the drag, so it is the test that ends it.
#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void Say(const char* line) {
  std::printf("%s\n", line);
  std::fflush(stdout);
}

struct StatusWatch : QAbstractNativeEventFilter {
  xcb_atom_t status = 0, finished = 0;
  bool told = false;
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    auto* ev = static_cast<xcb_generic_event_t*>(message);
    if ((ev->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
    auto* c = reinterpret_cast<xcb_client_message_event_t*>(ev);
    if (c->type == status && (c->data.data32[1] & 1) && !told) {
      told = true;
      Say("accepted");
    }
    if (c->type == finished) Say("finished");
    return false;
  }
};

class Source : public QWidget {
 public:
  Source(QString file, QString text) : file_(std::move(file)), text_(std::move(text)) {}

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton) return;
    auto* data = new QMimeData;
    if (!file_.isEmpty()) {
      QUrl url = QUrl::fromLocalFile(file_);
      data->setUrls({url});
      data->setText(url.toString());
    } else {
      data->setText(text_);
    }
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    Say("dragging");
    Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::CopyAction);
    // What the drag sent reaches the server before the test hears of its end.
    if (auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>()) xcb_flush(x11->connection());
    std::printf("done %d\n", int(action));
    std::fflush(stdout);
  }

 private:
  QString file_, text_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QString title, file, text;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (!std::strcmp(argv[i], "--title")) title = QString::fromLocal8Bit(argv[i + 1]);
    else if (!std::strcmp(argv[i], "--file")) file = QString::fromLocal8Bit(argv[i + 1]);
    else if (!std::strcmp(argv[i], "--text")) text = QString::fromLocal8Bit(argv[i + 1]);
  }
  StatusWatch watch;
  if (auto* x11 = app.nativeInterface<QNativeInterface::QX11Application>()) {
    xcb_connection_t* c = x11->connection();
    auto atom = [c](const char* name) {
      xcb_intern_atom_cookie_t cookie = xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name);
      xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, cookie, nullptr);
      xcb_atom_t a = r ? r->atom : 0;
      free(r);
      return a;
    };
    watch.status = atom("XdndStatus");
    watch.finished = atom("XdndFinished");
  }
  app.installNativeEventFilter(&watch);
  Source w(file, text);
  w.setWindowTitle(title);
  // It takes no keyboard focus, so pressing it leaves the focus where the test put it.
  w.setWindowFlag(Qt::WindowDoesNotAcceptFocus);
  w.resize(160, 80);
  w.show();
  return app.exec();
}
