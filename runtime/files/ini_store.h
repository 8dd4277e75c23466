// The one INI file a program has open, kept as a table until it is written back.
#pragma once

namespace tvk {

// Writes the table to its file when it holds changes (never to a mem:// name); the table stays.
void WriteBackIni();

}  // namespace tvk
