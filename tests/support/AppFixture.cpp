#include "support/AppFixture.h"

#include "app/App.h"
#include "startup/Startup.h"

namespace testsupport {

void EnsureApplication() {
  static const bool done = [] {
    startup::InitFileTypes();
    startup::NewAppInstance();
    App::Instance().Event_Open();
    return true;
  }();
  (void)done;
}

}  // namespace testsupport
