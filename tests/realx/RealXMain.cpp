// The real-X tier's main: a private X server and window manager for this process, then the
// program's own start-up in this process on the xcb platform, then the tests.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <QCoreApplication>

#include "framework/Application.h"
#include "framework/MessageDialog.h"
#include "framework/Runtime.h"
#include "framework/System.h"
#include "realx/XSession.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests (CTest's discovery) needs no display.
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  tzset();
  std::string why = realx::StartServer();
  if (!why.empty()) {
    std::fprintf(stderr, "real-X tier: %s\n", why.c_str());
    return 1;
  }
  fw::RuntimeInit(argc, argv);
  why = realx::StartWindowManager();
  if (!why.empty()) {
    std::fprintf(stderr, "real-X tier: %s\n", why.c_str());
    realx::StopServer();
    return 1;
  }
  fw::seams::CaptureUrls(true);
  // The program finds its pictures next to its executable; tests run from elsewhere.
  if (const char* bundle = std::getenv("BRENVALTIQUE_BUNDLE"))
    fw::seams::SetExecutableFile(QByteArray(bundle) + "/MacOS/brenvaltique");
  // A dialog no test answered presses its default button instead of waiting for a user.
  fw::seams::SetDefaultDialogAnswer(QString());
  int status = RUN_ALL_TESTS();
  // The windows and the Qt application go before the server, so no connection breaks under them.
  fw::RuntimeExit();
  delete QCoreApplication::instance();
  realx::StopServer();
  return status;
}
