#include "startup/Startup.h"

#include "framework/Runtime.h"

int RunProgram(int argc, char** argv) {
  fw::RuntimeInit(argc, argv);
  return 0;
}
