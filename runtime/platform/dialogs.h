// Modal message box and file dialogs.
#pragma once

#include <string>
#include <vector>

namespace tvk::platform {

void ShowWarningBox(const char* caption, const char* text);

struct FileFilter {
    std::string description;
    std::string pattern;  // e.g. "*.txt;*.ini"
};

// Runs the desktop's file chooser (zenity or kdialog on PATH). Empty when cancelled
// or when no chooser exists.
std::string RunFileDialog(bool open, const std::vector<FileFilter>& filters, const std::string& directory);

}  // namespace tvk::platform
