#pragma once

#include <string>

namespace Quib
{

// Turns a fatal signal or an exception that nothing caught, anywhere in the
// process, into a report: "crash.txt" in the report folder, written inside
// the signal handler with nothing but system calls. A fresh process of the
// program, started with the report's path, then resolves function names,
// shows the report and offers to send it when an upload address is set.
namespace CrashReporter
{

// Run by a static initialiser before the program entry; again is harmless.
void Install();
void Uninstall();

// Where "crash.txt" goes (the working folder until this is set).
void SetReportFolder(const std::string& folder);
std::string GetReportPath();
// The program started with "-crashreport" and the report's path after a
// crash; empty starts nothing.
void SetReportProgram(const std::string& program);
// Takes what the report says about the application (`gCrashReportApp`) while
// allocating is still allowed: its own lines, its data folder. The handler
// reads the live demo state itself.
void AttachApplication();

// The fresh process: true when the command line asks for a report window,
// with the report's path.
bool IsReportCommand(int argc, char** argv, std::string& reportPath);
// Resolves the report's addresses, writes it back, copies it to the
// clipboard and shows it until the user closes the window. The exit code.
int RunReportProcess(const std::string& reportPath);

} // namespace CrashReporter

} // namespace Quib
