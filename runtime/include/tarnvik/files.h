// Commands of the files subsystem.
//
// File names may use "/" or backslashes, are limited to 1023 characters and are matched on disk
// ignoring the case of letters, one path component at a time, when they do not exist as written.
// Names of the form "mem://" + length + "." + address read memory instead of a file; only memory the
// runtime handed out, or that was registered with RegisterMemoryFile, can be read this way.
#pragma once

#include "tarnvik/rt_string.h"

// File channels 0 to 7. mode >= 1 reads (packed files included), 0 writes a new file, < 0 appends.
RtInt OpenFileChannel(RtInt channel, const RtString& name, RtInt mode);
void CloseFileChannel(RtInt channel);
RtInt FreeFileChannel();  // the lowest closed channel, -1 when all are open
RtInt ChannelAtEnd(RtInt channel);
RtInt ChannelPosition(RtInt channel);
// mode 0: from the start, > 0: from the current position, < 0: from the end.
RtInt SeekChannel(RtInt channel, RtInt offset, RtInt mode);

// Reads, little-endian. Reading past the end of a file ends the program.
RtInt ReadInt8(RtInt channel);
RtInt ReadUInt8(RtInt channel);
RtInt ReadInt16(RtInt channel);
RtInt ReadUInt16(RtInt channel);
RtInt ReadInt32(RtInt channel);
RtInt ReadUInt32(RtInt channel);  // values above 2147483647 come back negative
RtNumber ReadFloat32(RtInt channel);
RtNumber ReadFloat64(RtInt channel);
RtString ReadBytes(RtInt channel, RtInt count);
// One line without its line end (LF or CR LF); lines over 1023 bytes come back in pieces.
RtString ReadLine(RtInt channel);
RtNumber ReadLineNumber(RtInt channel);
RtInt ReadLineInt(RtInt channel);

// Writes, little-endian. A failed write ends the program.
void WriteInt8(RtInt channel, RtInt value);
void WriteUInt8(RtInt channel, RtInt value);
void WriteInt16(RtInt channel, RtInt value);
void WriteUInt16(RtInt channel, RtInt value);
void WriteInt32(RtInt channel, RtInt value);
void WriteUInt32(RtInt channel, RtInt value);
void WriteFloat32(RtInt channel, RtNumber value);
void WriteFloat64(RtInt channel, RtNumber value);
void WriteBytes(RtInt channel, const RtString& bytes);
void WriteLine(RtInt channel, const RtString& text);  // followed by CR LF

// Files and directories.
RtInt FileExists(const RtString& name);
RtInt DirectoryExists(const RtString& name);
RtInt FileSize(const RtString& name);  // not looked up in the packed archive
RtInt RemoveFile(const RtString& name);
RtInt MakeDirectory(const RtString& name);  // one level
void DuplicateFile(const RtString& source, const RtString& destination);
RtNumber ChangeDirectory(const RtString& path);
RtString CurrentDirectory();  // always ends with "/"
void ToForwardSlashes(RtString& text);

// Makes size bytes at data readable under the returned mem:// name until UnregisterMemoryFile
// (the memory stays the caller's). "" when the region cannot be named.
RtString RegisterMemoryFile(void* data, RtInt size);
void UnregisterMemoryFile(const void* data);

// ---- INI files, directory listing, line-addressed text files ----

#include "tarnvik/arrays.h"

// Writes back the open INI file if it was changed, then reads name whole into the table (a packed
// file is read but never written back). "" just closes. Changes reach the disk on the next
// OpenIni and when the program ends.
void OpenIni(const RtString& name);
// Section and key names ignore case; fallback when either is missing.
RtString IniRead(const RtString& section, const RtString& key, const RtString& fallback);
// An empty value removes the key; an empty key removes the whole section. A section, key or value
// the file could not hold as itself (a line end anywhere; a blank or "=" in a name; a key starting
// with ";" or "[") is refused with error 9 and the old value stays.
void IniWrite(const RtString& section, const RtString& key, const RtString& value);

// Subdirectories of the current directory, then its files matching pattern, each group sorted
// ignoring case. Returns files + 65536 * directories.
RtNumber ListDirectory(const RtString& pattern, RtStringArray& target);
// 1 when name matches pattern: "*" any run, "?" one character but ".", letters in either case;
// "*.*" matches everything.
RtInt WildcardMatch(const RtString& pattern, const RtString& name);

// One text file at a time, lines 0 to 255. Selecting another file writes the changed one back;
// changes still pending are written when the program ends.
// Line out of range: target "NO_DATA", error 7, result 7. Missing file: "NO_FILE", error 3, result 3.
RtNumber ReadTextLine(const RtString& file, RtInt line, RtString& target);
RtNumber ReadTextLineNumber(const RtString& file, RtInt line);
RtInt ReadTextLineInt(const RtString& file, RtInt line);
// Line out of range: error 7 and nothing written. Text holding CR or LF: error 9, the old line
// stays. Lines the program did not change are written back byte for byte with their own line ends.
void WriteTextLine(const RtString& file, RtInt line, const RtString& text);
void WriteTextLineNumber(const RtString& file, RtInt line, RtNumber value);

// Functions of other libraries ("DECLARE"): the program registers each from its static
// initialisation; start-up loads each library once (by lower-cased name), looks the entry up
// and stores its address in the slot. A missing library or entry leaves the slot null and
// writes "DECLARE module not found: " or "DECLARE entry not found: " to the error log.
void RegisterDeclaration(const char* library, const char* entry, void** slot);
template <class Function>
void RegisterDeclaration(const char* library, const char* entry, Function** slot) {
    RegisterDeclaration(library, entry, reinterpret_cast<void**>(slot));
}
