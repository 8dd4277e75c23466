// Writing a kept text file back, shared by the INI store and the line store, and the write-back
// of both when the program ends.
#pragma once

#include <string>

namespace tvk {

// The name with the current directory put in front when it is relative, so a later write-back
// lands where the file was read from even after the directory changed. "" for an unusable name.
std::string AnchoredPath(const std::string& name);
// Replaces the file's content with text through a temporary file beside it, so a fault leaves the
// old content or the new, never a part. A failure keeps the old file and is reported in the error
// log and on standard error; false then.
bool ReplaceFileContents(const std::string& path, const std::string& text);

// Writes back the INI table and the line store when they hold changes. Runs once: from the
// runtime's shutdown, or at process exit for a program that never reached it.
void WritePendingFilesAtExit();
// Arms the process-exit fallback; the stores call it when they first take a file.
void ArmExitWriteBack();

}  // namespace tvk
