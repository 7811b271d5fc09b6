// The road from the program entry to the event loop and back to the exit status.
#pragma once

#include <exception>

// Runs the program from the runtime's start to its exit; returns the process's exit status.
int RunProgram(int& argc, char** argv);

namespace startup {

// Everything between the runtime's set-up and static finalisation, under one catch-all handler:
// the exception wrapper, early start-up, the framework's initialisation with late start-up, the loop.
void Main();
// The file types, then the application object with its menu bar.
void EarlyStartup();
void InitPluginEntrypoints();
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
// Called by the framework after the application's Open; builds the window. Returns 0.
int LateStartup();
void MakeDefaultView();
// Releases the shared menu bar, then the five file types in their order.
void StaticFinalization();

// The exception wrapper handed to the framework: calls routine(arg) and gives back the
// RuntimeException raised there, or an empty pointer.
std::exception_ptr CallFunctionWithExceptionHandling(void (*routine)(void*), void* arg);

}  // namespace startup
