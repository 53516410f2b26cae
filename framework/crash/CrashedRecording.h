#pragma once

#include <string>

namespace Quib
{

// The report's lines about a demo that was being recorded when the program
// crashed: the crash handler saved its file up to the crash, unclosed.
constexpr const char* kDemoRecordingKey = "Demo: recording at update ";
constexpr const char* kDemoFileKey = "Demo File: ";
constexpr const char* kDemoStreamKey = "Demo Stream: "; // the stream's bits and the update of its last event

// Closes that recording as a finished one is closed (the updates since its
// last event, then the closing event), writes it back and returns its bytes
// for the upload. Empty when the report names no recording or its file is
// not the one described.
std::string CloseCrashedRecording(const std::string& report, const std::string& productVersion);

} // namespace Quib
