// The runtime's start and end: the Qt application behind the framework, the application object,
// the start-up hook, the event loop and the exit status.
#pragma once

#include <exception>
#include <memory>

namespace fw {

class Application;

// Creates the Qt application once per process; later calls do nothing.
void RuntimeInit(int& argc, char** argv);
bool RuntimeInitialized();

// Calls routine(arg) inside a guard for RuntimeException; gives back the exception caught there,
// or an empty pointer when none was raised. Other exceptions pass through.
using ExceptionHelper = std::exception_ptr (*)(void (*routine)(void*), void* arg);

// While a helper is set, every Qt event is delivered through it, so an exception raised by an event
// handler never unwinds through Qt: it goes to UnhandledException instead.
void RuntimeSetExceptionHelper(ExceptionHelper helper);

// The framework's own set-up of its external classes; there are none to set up here.
void RuntimeInitExternalClasses();

// The one application object. Registering replaces the one before it.
void RuntimeRegisterAppObject(std::shared_ptr<Application> app);
std::shared_ptr<Application> GetAppObject();

// Raises the application's Open, then calls the late start-up routine.
void RunFrameworkInitialization(int (*lateStartup)());

// Runs the event loop until the application quits; returns at once when it has already quit.
// Windows that closed meanwhile are destroyed before it returns.
void RuntimeRun();

// An exception that nothing handled: its class and message go to standard error, the event loop
// ends, and the run's exit status becomes 1. Finalisation still follows as usual.
void UnhandledException(const std::exception_ptr& exception);

// Ends the run: destroys the windows still open, releases the application object and the
// exception helper, and returns the exit status (0, or 1 after an unhandled exception).
int RuntimeExit();

namespace detail {
// For the layer itself: ends the event loop (or keeps it from starting) with this exit status.
void EndEventLoop(int status);
}  // namespace detail

}  // namespace fw
