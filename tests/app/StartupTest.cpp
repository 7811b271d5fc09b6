#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include "app/App.h"
#include "app/FileTypes1.h"
#include "framework/FileType.h"
#include "framework/MessageDialog.h"
#include "framework/Picture.h"
#include "framework/Runtime.h"
#include "framework/Trace.h"
#include "mainwindow/MainWindow.h"
#include "startup/Startup.h"

namespace {

// What a run looked like from inside its event loop.
struct Seen {
  bool windowOpen = false;
  fw::String appName, copyright;
  bool iconMade = false;
  bool typesRegistered = false;
};

// Runs the whole program; once its window is open, notes what is in place and closes the window.
// (A dialog during start-up runs a loop of its own before the window exists.)
int RunAndCloseTheWindow(Seen& seen) {
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (!fw::GetImplicitWindow("MainWindow.MainWindow")) return;
    poll.stop();
    seen.windowOpen = true;
    seen.appName = App::Instance().msAppName;
    seen.copyright = App::Instance().msAppCopyright;
    seen.iconMade = App::Instance().pIcon != nullptr;
    seen.typesRegistered = fw::FileTypeRegistry::ExtensionsFor(FileTypes1::All()).size() == 24;
    MainWindow::Instance().Close();
  });
  poll.start(5);
  int argc = 1;
  char name[] = "brenvaltique";
  char* argv[] = {name, nullptr};
  return RunProgram(argc, argv);
}

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override { fw::seams::ResetDialogs(); }
  void TearDown() override {
    fw::seams::StopTrace();
    fw::seams::FailNextPictureAllocations(0);
    fw::seams::ResetDialogs();
  }
};

TEST_F(StartupTest, StepsRunInOrderAndClosingTheWindowEndsTheProgram) {
  fw::seams::StartTrace();
  Seen seen;
  EXPECT_EQ(RunAndCloseTheWindow(seen), 0);
  const QStringList expected = {
      "RuntimeInit",
      "Main",
      "RuntimeSetExceptionHelper",
      "EarlyStartup",
      "RuntimeInitExternalClasses",
      "InitPluginEntrypoints",
      "InitFileTypes",
      "FileType registered text/plain",
      "FileType registered image/x-png",
      "FileType registered image/gif",
      "FileType registered image/jpeg",
      "FileType registered application/pdf",
      "NewAppInstance",
      "RuntimeRegisterAppObject",
      "ApplicationAddMenuHandlers",
      "RunFrameworkInitialization",
      "Application.Open",
      "LateStartup",
      "MakeDefaultView",
      "Window.Open MainWindow.MainWindow",
      "RuntimeRun",
      "Window closed MainWindow.MainWindow",
      "Application.Quit",
      "RuntimeRun ended",
      "StaticFinalization",
      "MainMenuBar released",
      "FileType withdrawn text/plain",
      "FileType withdrawn image/x-png",
      "FileType withdrawn image/gif",
      "FileType withdrawn image/jpeg",
      "FileType withdrawn application/pdf",
      "RuntimeExit",
  };
  EXPECT_EQ(fw::seams::TraceLog(), expected) << fw::seams::TraceLog().join("\n").toStdString();
  EXPECT_TRUE(seen.windowOpen);
  EXPECT_EQ(seen.appName, "Brenvaltique");
  EXPECT_TRUE(seen.iconMade);
  EXPECT_TRUE(seen.typesRegistered);
  EXPECT_TRUE(fw::seams::ShownDialogs().empty());
  EXPECT_EQ(fw::GetAppObject(), nullptr) << "released at exit";
  EXPECT_EQ(FileTypes1::pText, nullptr);
}

TEST_F(StartupTest, WithoutMemoryForTheIconTheMessageComesOnceAndTheProgramStillRunsAndEnds) {
  fw::seams::FailNextPictureAllocations(1);
  Seen seen;
  EXPECT_EQ(RunAndCloseTheWindow(seen), 0);
  ASSERT_EQ(fw::seams::ShownDialogs().size(), 1u);
  EXPECT_EQ(fw::seams::ShownDialogs()[0].Message, "Memory is too low to create the App icon");
  EXPECT_TRUE(seen.windowOpen);
  EXPECT_FALSE(seen.iconMade);
  EXPECT_EQ(seen.appName, "Brenvaltique");
  EXPECT_FALSE(seen.copyright.isEmpty());
}

TEST_F(StartupTest, AnExceptionInTheLoopIsReportedAndTheRunStillFinalisesWithStatusOne) {
  fw::seams::StartTrace();
  QTimer::singleShot(0, [] { throw fw::RuntimeException("lost"); });
  int argc = 1;
  char name[] = "brenvaltique";
  char* argv[] = {name, nullptr};
  ::testing::internal::CaptureStderr();
  int status = RunProgram(argc, argv);
  std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(status, 1);
  EXPECT_NE(err.find("Unhandled RuntimeException: lost"), std::string::npos) << err;
  QStringList log = fw::seams::TraceLog();
  EXPECT_TRUE(log.contains("StaticFinalization") && log.contains("FileType withdrawn application/pdf"));
  EXPECT_EQ(log.last(), "RuntimeExit");
  EXPECT_EQ(fw::GetImplicitWindow("MainWindow.MainWindow"), nullptr) << "the window went with the run";
}

TEST(Executable, TheRealProgramStaysUpUntilItIsStopped) {
  QTemporaryDir config;
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("XDG_CONFIG_HOME", config.path());  // its kept frame goes here, not to the user's
  p.setProcessEnvironment(env);
  p.start(qEnvironmentVariable("BRENVALTIQUE_BUNDLE") + "/MacOS/brenvaltique", {});
  ASSERT_TRUE(p.waitForStarted(10000));
  EXPECT_FALSE(p.waitForFinished(1500)) << "it ended by itself: " << p.readAllStandardError().toStdString();
  EXPECT_EQ(p.state(), QProcess::Running);
  p.kill();
  EXPECT_TRUE(p.waitForFinished(10000));
  EXPECT_EQ(p.exitStatus(), QProcess::CrashExit) << "it ended only when killed";
}

}  // namespace
