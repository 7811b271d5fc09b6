#include "realx/XSession.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

namespace realx {

namespace {

pid_t serverPid = 0;
pid_t managerPid = 0;
std::string privateDir;

// Starts a program in a child that dies with this process, whatever ends it. The child keeps the
// descriptors that are not close-on-exec (Xvfb's -displayfd pipe).
pid_t Spawn(const std::vector<std::string>& argv, const std::string& logFile) {
  pid_t parent = getpid();
  pid_t pid = fork();
  if (pid != 0) return pid;
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != parent) _exit(127);
  if (!logFile.empty()) {
    int log = open(logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (log >= 0) dup2(log, 1), dup2(log, 2);
  }
  int devnull = open("/dev/null", O_RDONLY);
  if (devnull >= 0) dup2(devnull, 0);
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  execvp(args[0], args.data());
  _exit(127);
}

void Stop(pid_t& pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  for (int i = 0; i < 200; ++i) {
    if (waitpid(pid, nullptr, WNOHANG) == pid) {
      pid = 0;
      return;
    }
    usleep(10000);
  }
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
  pid = 0;
}

std::string MakePrivateDirs() {
  std::string base = QDir::tempPath().toStdString() + "/brenvaltique-realx-XXXXXX";
  std::vector<char> tmpl(base.begin(), base.end());
  tmpl.push_back('\0');
  if (!mkdtemp(tmpl.data())) return std::string();
  std::string dir = tmpl.data();
  for (const char* sub : {"config", "cache", "data", "runtime"}) {
    std::string p = dir + "/" + sub;
    mkdir(p.c_str(), 0700);
  }
  setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
  setenv("XDG_CACHE_HOME", (dir + "/cache").c_str(), 1);
  setenv("XDG_DATA_HOME", (dir + "/data").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (dir + "/runtime").c_str(), 1);
  return dir;
}

// ---- Sync: a property of a window of our own, changed by us, comes back as an event.

struct Hooks : QAbstractNativeEventFilter {
  xcb_connection_t* conn = nullptr;
  xcb_window_t window = 0;
  xcb_atom_t barrier = 0, dndPosition = 0;
  quint32 sent = 0, seen = 0;
  int positions = 0;

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    auto* ev = static_cast<xcb_generic_event_t*>(message);
    switch (ev->response_type & 0x7f) {
      case XCB_PROPERTY_NOTIFY: {
        auto* p = reinterpret_cast<xcb_property_notify_event_t*>(ev);
        if (p->window == window && p->atom == barrier) ++seen;
        break;
      }
      case XCB_CLIENT_MESSAGE: {
        auto* c = reinterpret_cast<xcb_client_message_event_t*>(ev);
        if (c->type == dndPosition) ++positions;
        break;
      }
      default: break;
    }
    return false;
  }
};
Hooks* hooks = nullptr;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
  xcb_atom_t a = r ? r->atom : 0;
  free(r);
  return a;
}

bool InstallHooks() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (!x11 || !x11->connection()) return false;
  hooks = new Hooks;
  hooks->conn = x11->connection();
  hooks->barrier = Atom(hooks->conn, "_BRENVALTIQUE_TEST_BARRIER");
  hooks->dndPosition = Atom(hooks->conn, "XdndPosition");
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(hooks->conn)).data;
  hooks->window = xcb_generate_id(hooks->conn);
  uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(hooks->conn, XCB_COPY_FROM_PARENT, hooks->window, screen->root, -10, -10, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(hooks->conn);
  qApp->installNativeEventFilter(hooks);
  return true;
}

}  // namespace

std::string StartServer() {
  privateDir = MakePrivateDirs();
  if (privateDir.empty()) return "cannot make a private folder";
  int fds[2];
  if (pipe(fds) != 0) return "pipe failed";
  // Above the standard descriptors, which the child points elsewhere (CI may run with some closed).
  for (int& fd : fds) {
    if (fd < 3) {
      int high = fcntl(fd, F_DUPFD, 3);
      close(fd);
      fd = high;
    }
  }
  std::string fd = std::to_string(fds[1]);
  serverPid = Spawn({"Xvfb", "-displayfd", fd, "-screen", "0", "1600x1200x24", "-nolisten", "tcp", "-noreset",
                     // No key repeats, however slow a loaded machine is between a press and its release.
                     "-ardelay", "30000", "-arinterval", "30000"},
                    privateDir + "/xvfb.log");
  close(fds[1]);
  std::string number;
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < 30000) {
    pollfd p{fds[0], POLLIN, 0};
    if (poll(&p, 1, 200) > 0) {
      char c;
      ssize_t n = read(fds[0], &c, 1);
      if (n <= 0 || c == '\n') break;
      number += c;
    } else if (waitpid(serverPid, nullptr, WNOHANG) == serverPid) {
      serverPid = 0;
      break;
    }
  }
  close(fds[0]);
  if (number.empty()) {
    Stop(serverPid);
    return "Xvfb did not start (is the xvfb package installed?); its log: " + privateDir + "/xvfb.log";
  }
  setenv("DISPLAY", (":" + number).c_str(), 1);
  // This tier drives the real X platform, whatever the rest of the suite uses.
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  return std::string();
}

std::string StartWindowManager() {
  if (!InstallHooks()) return "the Qt application is not on the xcb platform";
  managerPid = Spawn({"openbox", "--sm-disable"}, privateDir + "/openbox.log");
  // The window manager is up when it names itself on the root window.
  if (!WaitUntil([] { return Exec("wmctrl", {"-m"}, QByteArray(), 5000).Ok(); }, 20000))
    return "openbox did not start (are the openbox and wmctrl packages installed?)";
  return std::string();
}

void StopServer() {
  Stop(managerPid);
  Stop(serverPid);
  if (!privateDir.empty()) QDir(QString::fromStdString(privateDir)).removeRecursively();
}

Ran Exec(const QString& program, const QStringList& args, const QByteArray& input, int timeoutMs) {
  Ran r;
  QProcess p;
  p.start(program, args);
  if (!p.waitForStarted(10000)) {
    r.err = "could not start " + program.toUtf8();
    return r;
  }
  if (!input.isNull()) p.write(input);
  p.closeWriteChannel();
  if (p.state() != QProcess::NotRunning) {
    QEventLoop loop;
    QObject::connect(&p, &QProcess::finished, &loop, &QEventLoop::quit);
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(timeoutMs);
    if (p.state() != QProcess::NotRunning) loop.exec();
  }
  if (p.state() != QProcess::NotRunning) {
    p.kill();
    p.waitForFinished(5000);
  } else {
    r.finished = p.exitStatus() == QProcess::NormalExit;
    r.exitCode = p.exitCode();
  }
  r.out = p.readAllStandardOutput();
  r.err = p.readAllStandardError();
  Sync();
  return r;
}

Ran Xdo(const QStringList& args) { return Exec(QStringLiteral("xdotool"), args); }

void Sync() {
  if (!hooks) return;
  quint32 want = ++hooks->sent;
  xcb_change_property(hooks->conn, XCB_PROP_MODE_REPLACE, hooks->window, hooks->barrier, XCB_ATOM_CARDINAL, 32, 1,
                      &want);
  xcb_flush(hooks->conn);
  WaitUntil([want] { return hooks->seen >= want; }, 10000);
  // Events taken from the connection along with the barrier are delivered by one more turn.
  QCoreApplication::processEvents();
}

namespace {
constexpr int kParkX = 1595, kParkY = 1195;  // the screen is 1600 by 1200
}  // namespace

QStringList ParkPointer() { return {"mousemove", QString::number(kParkX), QString::number(kParkY)}; }

bool WaitPointerParked() {
  if (!hooks) return false;
  xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(hooks->conn)).data->root;
  return WaitUntil([root] {
    xcb_query_pointer_reply_t* r = xcb_query_pointer_reply(hooks->conn, xcb_query_pointer(hooks->conn, root), nullptr);
    bool there = r && r->root_x == kParkX && r->root_y == kParkY;
    free(r);
    return there;
  });
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
  QElapsedTimer t;
  t.start();
  for (;;) {
    if (condition()) return true;
    if (t.elapsed() > timeoutMs) return false;
    QTest::qWait(5);
  }
}

int DndPositionsSeen() { return hooks ? hooks->positions : 0; }

// ---- Child

Child::Child(const QString& program, const QStringList& args, const QByteArray& input, const QProcessEnvironment& env)
    : p_(std::make_unique<QProcess>()) {
  p_->setProcessEnvironment(env);
  p_->start(program, args);
  started_ = p_->waitForStarted(10000);
  if (!started_) return;
  if (!input.isNull()) p_->write(input);
  p_->closeWriteChannel();
}

Child::~Child() {
  if (p_->state() != QProcess::NotRunning) {
    p_->kill();
    p_->waitForFinished(5000);
  }
}

bool Child::Running() const { return p_->state() != QProcess::NotRunning; }

QByteArray Child::Output() {
  out_ += p_->readAllStandardOutput();
  return out_;
}

QByteArray Child::Errors() {
  err_ += p_->readAllStandardError();
  return err_;
}

bool Child::WaitForEnd(int timeoutMs) {
  bool ended = WaitUntil([this] { return !Running(); }, timeoutMs);
  Output();
  Errors();
  Sync();
  return ended;
}

int Child::ExitCode() const { return p_->exitStatus() == QProcess::NormalExit ? p_->exitCode() : -1; }

qint64 Child::Pid() const { return p_->processId(); }

// ---- Selections

namespace {
const char* Name(Selection which) { return which == Selection::Primary ? "primary" : "clipboard"; }
}  // namespace

std::unique_ptr<Child> OfferSelection(Selection which, const QByteArray& text) {
  // -quiet keeps xclip in the foreground, serving the selection until it is killed or loses it.
  auto owner =
      std::make_unique<Child>(QStringLiteral("xclip"), QStringList{"-quiet", "-selection", Name(which), "-i"}, text);
  if (!owner->Started()) return nullptr;
  if (!WaitUntil([&] { return ReadSelection(which) == text; }, 10000)) return nullptr;
  return owner;
}

QByteArray ReadSelection(Selection which) {
  Ran r = Exec(QStringLiteral("xclip"), {"-selection", Name(which), "-o"}, QByteArray(), 10000);
  return r.Ok() ? r.out : QByteArray("<no selection>");
}

// ---- Keyboard

bool SetLayout(Layout layout) { return Exec(QStringLiteral("setxkbmap"), {layout == Layout::Us ? "us" : "fr"}).Ok(); }

QStringList TypingCommands(const QString& text, Layout layout, ShiftOrder order) {
  // Keycodes of the evdev rules Xvfb uses: 10 to 19 are the row of digits 1 2 ... 9 0.
  struct Key {
    int code;
    bool shift;
  };
  const bool fr = layout == Layout::Fr;
  std::map<QChar, Key> keys;
  for (int d = 0; d <= 9; ++d) keys[QChar(u'0' + d)] = {d == 0 ? 19 : 9 + d, fr};
  keys[u'/'] = fr ? Key{60, true} : Key{61, false};
  keys[u':'] = fr ? Key{60, false} : Key{47, true};
  QStringList c;
  for (QChar ch : text) {
    auto it = keys.find(ch);
    if (it == keys.end()) return {};
    QString code = QString::number(it->second.code);
    if (!it->second.shift) {
      c << "keydown" << code << "keyup" << code;
    } else if (order == ShiftOrder::ReleasedFirst) {
      c << "keydown"
        << "Shift_L"
        << "keydown" << code << "keyup"
        << "Shift_L"
        << "keyup" << code;
    } else {
      c << "keydown"
        << "Shift_L"
        << "keydown" << code << "keyup" << code << "keyup"
        << "Shift_L";
    }
  }
  return c;
}

}  // namespace realx
