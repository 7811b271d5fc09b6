// The application object as start-up leaves it, for tests that build the main window.
#pragma once

namespace testsupport {

// Registers the file types and the application object and runs its Open, once per process.
void EnsureApplication();

}  // namespace testsupport
