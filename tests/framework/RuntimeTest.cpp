#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include "framework/Application.h"
#include "framework/Runtime.h"
#include "framework/Trace.h"
#include "framework/Window.h"
#include "startup/Startup.h"

using namespace fw;

namespace {

class Plain : public Window {
 public:
  explicit Plain(bool* destroyed = nullptr) : destroyed_(destroyed) {}
  ~Plain() override {
    if (destroyed_) *destroyed_ = true;
  }
  String FullClassName() const override { return QStringLiteral("Test.Plain"); }
  void Layout() override { ApplyDesign(*this, {{"Width", 200}, {"Height", 100}, {"Resizeable", false}}); }

 private:
  bool* destroyed_;
};

// Every test leaves the runtime as it found it.
class RuntimeTest : public ::testing::Test {
 protected:
  void TearDown() override { RuntimeExit(); }
};

TEST_F(RuntimeTest, ClosingTheLastOpenWindowQuitsOnlyWithAutoQuit) {
  for (bool autoQuit : {false, true}) {
    auto app = std::make_shared<Application>();
    app->SetAutoQuit(autoQuit);
    RuntimeRegisterAppObject(app);
    Plain a, b;
    a.Constructor();
    b.Constructor();
    EXPECT_EQ(WindowCount(), 2);
    a.Close();
    EXPECT_FALSE(app->Quitting());
    b.Close();
    EXPECT_EQ(app->Quitting(), autoQuit) << "AutoQuit " << autoQuit;
    EXPECT_EQ(WindowCount(), 0);
    if (autoQuit) RuntimeRun();  // already quit: returns at once
    EXPECT_EQ(RuntimeExit(), 0);
  }
  // Quitting outside the loop leaves local loops (a dialog's) to run as usual.
  QEventLoop local;
  bool ran = false;
  QTimer::singleShot(10, &local, [&] {
    ran = true;
    local.quit();
  });
  local.exec();
  EXPECT_TRUE(ran);
}

TEST_F(RuntimeTest, AdoptedWindowIsFiledWhileOpenAndDestroyedAfterItCloses) {
  bool destroyed = false;
  auto owned = std::make_unique<Plain>(&destroyed);
  Plain& w = *owned;
  AdoptWindow(std::move(owned));
  EXPECT_EQ(GetImplicitWindow("Test.Plain"), nullptr);
  w.Constructor();
  EXPECT_EQ(GetImplicitWindow("Test.Plain"), &w);
  EXPECT_EQ(GetImplicitWindow("Window"), nullptr);
  w.Close();
  EXPECT_EQ(GetImplicitWindow("Test.Plain"), nullptr);
  EXPECT_FALSE(destroyed) << "not while its own close is running";
  QCoreApplication::processEvents();
  EXPECT_TRUE(destroyed);
}

TEST_F(RuntimeTest, ExceptionInAnEventHandlerEndsTheLoopWithStatusOne) {
  RuntimeRegisterAppObject(std::make_shared<Application>());
  RuntimeSetExceptionHelper(&startup::CallFunctionWithExceptionHandling);
  QTimer::singleShot(0, [] { throw NilObjectException(QStringLiteral("nothing there")); });
  ::testing::internal::CaptureStderr();
  RuntimeRun();  // returns: the exception ended the loop
  std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Unhandled NilObjectException: nothing there"), std::string::npos) << err;
  EXPECT_EQ(RuntimeExit(), 1);
  EXPECT_EQ(RuntimeExit(), 0) << "the status belongs to one run";
}

TEST_F(RuntimeTest, OpenIsRaisedBeforeLateStartup) {
  class Probe : public Application {
   public:
    void Event_Open() override { seams::Trace("probe open"); }
  };
  RuntimeRegisterAppObject(std::make_shared<Probe>());
  seams::StartTrace();
  RunFrameworkInitialization([] {
    seams::Trace("late");
    return 0;
  });
  seams::StopTrace();
  QStringList log = seams::TraceLog();
  ASSERT_TRUE(log.contains("probe open") && log.contains("late")) << log.join(", ").toStdString();
  EXPECT_LT(log.indexOf("probe open"), log.indexOf("late"));
}

}  // namespace
