#pragma once

// Runs the program from the runtime's start to its exit; returns the process's exit status.
int RunProgram(int argc, char** argv);
