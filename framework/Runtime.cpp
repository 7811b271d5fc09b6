#include "framework/Runtime.h"

#include <QApplication>
#include <cstdio>

#include "framework/Application.h"
#include "framework/Trace.h"
#include "framework/Window.h"

namespace fw {

namespace {

ExceptionHelper exceptionHelper = nullptr;
std::shared_ptr<Application> appObject;
int exitStatus = 0;
bool loopEnded = false;
bool loopRunning = false;

class FrameworkApplication : public QApplication {
 public:
  using QApplication::QApplication;

  bool notify(QObject* receiver, QEvent* event) override {
    if (!exceptionHelper) return QApplication::notify(receiver, event);
    Delivery d{this, receiver, event, false};
    std::exception_ptr raised;
    try {
      raised = exceptionHelper(&Deliver, &d);
    } catch (...) {
      raised = std::current_exception();
    }
    if (raised) UnhandledException(raised);
    return d.result;
  }

 private:
  struct Delivery {
    FrameworkApplication* app;
    QObject* receiver;
    QEvent* event;
    bool result;
  };
  static void Deliver(void* p) {
    auto* d = static_cast<Delivery*>(p);
    d->result = d->app->QApplication::notify(d->receiver, d->event);
  }
};

}  // namespace

void RuntimeInit(int& argc, char** argv) {
  seams::Trace(QStringLiteral("RuntimeInit"));
  if (QApplication::instance()) return;
  // Qt keeps a reference to the count for the application's whole life.
  static int keptArgc = argc;
  new FrameworkApplication(keptArgc, argv);
  // Quitting is the application object's rule (AutoQuit), not Qt's.
  QApplication::setQuitOnLastWindowClosed(false);
}

bool RuntimeInitialized() { return QApplication::instance() != nullptr; }

void RuntimeSetExceptionHelper(ExceptionHelper helper) {
  seams::Trace(QStringLiteral("RuntimeSetExceptionHelper"));
  exceptionHelper = helper;
}

void RuntimeInitExternalClasses() { seams::Trace(QStringLiteral("RuntimeInitExternalClasses")); }

void RuntimeRegisterAppObject(std::shared_ptr<Application> app) {
  seams::Trace(QStringLiteral("RuntimeRegisterAppObject"));
  appObject = std::move(app);
}

std::shared_ptr<Application> GetAppObject() { return appObject; }

void RunFrameworkInitialization(int (*lateStartup)()) {
  seams::Trace(QStringLiteral("RunFrameworkInitialization"));
  if (auto app = appObject) {
    seams::Trace(QStringLiteral("Application.Open"));
    app->Event_Open();
  }
  if (lateStartup) lateStartup();
}

void RuntimeRun() {
  seams::Trace(QStringLiteral("RuntimeRun"));
  if (!loopEnded) {
    loopRunning = true;
    QApplication::exec();
    loopRunning = false;
  }
  DestroyClosedWindows();
  seams::Trace(QStringLiteral("RuntimeRun ended"));
}

void UnhandledException(const std::exception_ptr& exception) {
  String className, message;
  try {
    std::rethrow_exception(exception);
  } catch (const RuntimeException& e) {
    className = e.ClassName();
    message = e.Message;
  } catch (const std::exception& e) {
    className = QStringLiteral("std::exception");
    message = QString::fromLocal8Bit(e.what());
  } catch (...) {
    className = QStringLiteral("unknown exception");
  }
  std::fprintf(stderr, "Unhandled %s: %s\n", className.toLocal8Bit().constData(), message.toLocal8Bit().constData());
  std::fflush(stderr);
  seams::Trace(QStringLiteral("UnhandledException ") + className);
  detail::EndEventLoop(1);
}

int RuntimeExit() {
  seams::Trace(QStringLiteral("RuntimeExit"));
  DestroyAllAdoptedWindows();
  appObject.reset();
  exceptionHelper = nullptr;
  int status = exitStatus;
  exitStatus = 0;
  loopEnded = false;
  return status;
}

namespace detail {
void EndEventLoop(int status) {
  if (status != 0) exitStatus = status;
  loopEnded = true;
  // Outside the loop Qt would keep the request and end the next local loop (a dialog's) at once.
  if (loopRunning) QCoreApplication::exit(exitStatus);
}
}  // namespace detail

}  // namespace fw
