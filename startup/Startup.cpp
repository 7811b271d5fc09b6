#include "startup/Startup.h"

#include "app/App.h"
#include "app/FileTypes1.h"
#include "app/MainMenuBar.h"
#include "framework/Runtime.h"
#include "framework/Trace.h"
#include "mainwindow/MainWindow.h"

using fw::seams::Trace;

int RunProgram(int& argc, char** argv) {
  fw::RuntimeInit(argc, argv);
  startup::Main();
  startup::StaticFinalization();
  return fw::RuntimeExit();
}

namespace startup {

void Main() {
  Trace(QStringLiteral("Main"));
  try {
    fw::RuntimeSetExceptionHelper(&CallFunctionWithExceptionHandling);
    EarlyStartup();
    fw::RunFrameworkInitialization(&LateStartup);
    fw::RuntimeRun();
  } catch (...) {
    // Also what is not a RuntimeException: it ends the run as cleanly as the rest.
    fw::UnhandledException(std::current_exception());
  }
}

void EarlyStartup() {
  Trace(QStringLiteral("EarlyStartup"));
  fw::RuntimeInitExternalClasses();
  InitPluginEntrypoints();
  InitFileTypes();
  NewAppInstance();
  ApplicationAddMenuHandlers();
}

// The bevel button and the separator are classes of the framework itself: nothing to bind.
void InitPluginEntrypoints() { Trace(QStringLiteral("InitPluginEntrypoints")); }

void InitFileTypes() {
  Trace(QStringLiteral("InitFileTypes"));
  FileTypes1::Initialize();
}

void NewAppInstance() {
  Trace(QStringLiteral("NewAppInstance"));
  auto app = std::make_shared<App>();
  app->SetMenuBar(MainMenuBar::Instance());
  fw::RuntimeRegisterAppObject(app);
}

// The program installs no menu handler.
void ApplicationAddMenuHandlers() { Trace(QStringLiteral("ApplicationAddMenuHandlers")); }

int LateStartup() {
  Trace(QStringLiteral("LateStartup"));
  MakeDefaultView();
  return 0;
}

void MakeDefaultView() {
  Trace(QStringLiteral("MakeDefaultView"));
  MainWindow::Instance();
}

void StaticFinalization() {
  Trace(QStringLiteral("StaticFinalization"));
  MainMenuBar::ReleaseInstance();
  Trace(QStringLiteral("MainMenuBar released"));
  FileTypes1::Finalize();
}

std::exception_ptr CallFunctionWithExceptionHandling(void (*routine)(void*), void* arg) {
  try {
    routine(arg);
  } catch (const fw::RuntimeException&) {
    return std::current_exception();
  }
  return nullptr;
}

}  // namespace startup
