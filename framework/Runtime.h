// The runtime's start and end: the Qt application behind the framework.
#pragma once

namespace fw {

// Creates the Qt application once per process; later calls do nothing.
void RuntimeInit(int& argc, char** argv);
bool RuntimeInitialized();

}  // namespace fw
