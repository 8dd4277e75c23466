// Commands of the files subsystem.
//
// File names may use "/" or backslashes, are limited to 1023 characters and are matched on disk
// ignoring the case of letters, one path component at a time, when they do not exist as written.
// Names of the form "mem://" + length + "." + address read memory instead of a file; only memory the
// runtime handed out, or that was registered with RegisterMemoryFile, can be read this way.
#pragma once

#include "tarnvik/rt_string.h"

// File channels 0 to 7. A channel number outside 0 … 7 given to a command that needs an open
// channel records error 7 and ends the program; so do reads past the end (error 3) and failed
// writes (error 3).

/// Opens a file on a channel, closing what the channel had open.
/// channel: file channel, 0 … 7
/// name: the file's name (for reading also a packed or mem:// file)
/// mode: >= 1 reads, 0 writes a new file (replacing an old one), < 0 appends
/// Returns: 1 when the file is open, else 0
/// Errors: 0 on success; 7 for a channel outside 0 … 7; 3 when the file cannot be found or opened
RtInt OpenFileChannel(RtInt channel, const RtString& name, RtInt mode);
/// Closes a channel's file; a closed channel stays closed.
/// channel: file channel, 0 … 7
/// Errors: 7 (and the end of the program) for a channel outside 0 … 7
void CloseFileChannel(RtInt channel);
/// Finds a closed channel.
/// Returns: the lowest closed channel (0 … 7), −1 when all are open
RtInt FreeFileChannel();
/// Tells whether a channel's position has reached the end of its file.
/// channel: file channel, 0 … 7
/// Returns: 1 at the end (and for a channel outside 0 … 7, so that a reading loop stops), else 0
/// Errors: 7 for a channel outside 0 … 7
RtInt ChannelAtEnd(RtInt channel);
/// Gives a channel's position.
/// channel: file channel, 0 … 7
/// Returns: bytes from the start of the file
/// Errors: 7 (and the end of the program) for a channel outside 0 … 7
RtInt ChannelPosition(RtInt channel);
/// Moves a channel's position.
/// channel: file channel, 0 … 7
/// offset: bytes
/// mode: 0 from the start, > 0 from the current position, < 0 from the end
/// Returns: the new position in bytes from the start; −1 when nothing is open or the move fails; 0 for
/// memory files
/// Errors: 7 (and the end of the program) for a channel outside 0 … 7
RtInt SeekChannel(RtInt channel, RtInt offset, RtInt mode);

// Reads, little-endian. Reading past the end of a file, or from a channel with nothing open, records
// error 3 and ends the program.

/// Reads a signed byte.
/// channel: file channel, 0 … 7
/// Returns: −128 … 127
/// Errors: 7 for a channel outside 0 … 7; 3 past the end or with nothing open (both end the program)
RtInt ReadInt8(RtInt channel);
/// Reads an unsigned byte.
/// channel: file channel, 0 … 7
/// Returns: 0 … 255
/// Errors: 7 for a channel outside 0 … 7; 3 past the end or with nothing open (both end the program)
RtInt ReadUInt8(RtInt channel);
/// Reads a signed 16-bit integer.
/// channel: file channel, 0 … 7
/// Returns: −32768 … 32767
/// Errors: 7 for a channel outside 0 … 7; 3 past the end or with nothing open (both end the program)
RtInt ReadInt16(RtInt channel);
/// Reads an unsigned 16-bit integer.
/// channel: file channel, 0 … 7
/// Returns: 0 … 65535
/// Errors: 7 for a channel outside 0 … 7; 3 past the end or with nothing open (both end the program)
RtInt ReadUInt16(RtInt channel);
/// Reads a signed 32-bit integer.
/// channel: file channel, 0 … 7
/// Returns: the value
/// Errors: 7 for a channel outside 0 … 7; 3 past the end or with nothing open (both end the program)
RtInt ReadInt32(RtInt channel);
/// Reads an unsigned 32-bit integer.
/// channel: file channel, 0 … 7
/// Returns: the value; values above 2147483647 come back negative
/// Errors: 7 for a channel outside 0 … 7; 3 past the end or with nothing open (both end the program)
RtInt ReadUInt32(RtInt channel);
/// Reads a 32-bit float.
/// channel: file channel, 0 … 7
/// Returns: the value
/// Errors: 7 for a channel outside 0 … 7; 3 past the end or with nothing open (both end the program)
RtNumber ReadFloat32(RtInt channel);
/// Reads a 64-bit float.
/// channel: file channel, 0 … 7
/// Returns: the value
/// Errors: 7 for a channel outside 0 … 7; 3 past the end or with nothing open (both end the program)
RtNumber ReadFloat64(RtInt channel);
/// Reads a number of bytes, zero bytes included.
/// channel: file channel, 0 … 7
/// count: bytes; <= 0 reads nothing
/// Returns: the bytes ("" for count <= 0)
/// Errors: 7 for a channel outside 0 … 7; 3 when fewer than count bytes are left or nothing is open (both
/// end the program, before anything is allocated)
RtString ReadBytes(RtInt channel, RtInt count);
/// Reads one line without its line end (LF or CR LF).
/// channel: file channel, 0 … 7
/// Returns: the line; lines over 1023 bytes come back in pieces
/// Errors: 7 for a channel outside 0 … 7; 3 past the end or with nothing open (both end the program)
RtString ReadLine(RtInt channel);
/// Reads one line as a number (leading blanks skipped, anything unreadable gives 0).
/// channel: file channel, 0 … 7
/// Returns: the number
/// Errors: 7 for a channel outside 0 … 7; 3 past the end or with nothing open (both end the program)
RtNumber ReadLineNumber(RtInt channel);
/// Reads one line as a whole number; values beyond the 32-bit range are held at its ends.
/// channel: file channel, 0 … 7
/// Returns: the number (0 when unreadable)
/// Errors: 7 for a channel outside 0 … 7; 3 past the end or with nothing open (both end the program)
RtInt ReadLineInt(RtInt channel);

// Writes, little-endian. Only a channel open on a file writes; anything else records error 3 and
// ends the program.

/// Writes the low 8 bits of a value.
/// channel: file channel, 0 … 7
/// value: the value; only its low 8 bits are written
/// Errors: 7 for a channel outside 0 … 7; 3 when the write fails (both end the program)
void WriteInt8(RtInt channel, RtInt value);
/// Writes the low 8 bits of a value (the same bytes as WriteInt8).
/// channel: file channel, 0 … 7
/// value: the value; only its low 8 bits are written
/// Errors: 7 for a channel outside 0 … 7; 3 when the write fails (both end the program)
void WriteUInt8(RtInt channel, RtInt value);
/// Writes the low 16 bits of a value.
/// channel: file channel, 0 … 7
/// value: the value; only its low 16 bits are written
/// Errors: 7 for a channel outside 0 … 7; 3 when the write fails (both end the program)
void WriteInt16(RtInt channel, RtInt value);
/// Writes the low 16 bits of a value (the same bytes as WriteInt16).
/// channel: file channel, 0 … 7
/// value: the value; only its low 16 bits are written
/// Errors: 7 for a channel outside 0 … 7; 3 when the write fails (both end the program)
void WriteUInt16(RtInt channel, RtInt value);
/// Writes a 32-bit integer.
/// channel: file channel, 0 … 7
/// value: the value
/// Errors: 7 for a channel outside 0 … 7; 3 when the write fails (both end the program)
void WriteInt32(RtInt channel, RtInt value);
/// Writes a 32-bit integer (the same bytes as WriteInt32).
/// channel: file channel, 0 … 7
/// value: the value
/// Errors: 7 for a channel outside 0 … 7; 3 when the write fails (both end the program)
void WriteUInt32(RtInt channel, RtInt value);
/// Writes a 32-bit float.
/// channel: file channel, 0 … 7
/// value: the value, rounded to single precision
/// Errors: 7 for a channel outside 0 … 7; 3 when the write fails (both end the program)
void WriteFloat32(RtInt channel, RtNumber value);
/// Writes a 64-bit float.
/// channel: file channel, 0 … 7
/// value: the value
/// Errors: 7 for a channel outside 0 … 7; 3 when the write fails (both end the program)
void WriteFloat64(RtInt channel, RtNumber value);
/// Writes a string's bytes, zero bytes included, without a line end.
/// channel: file channel, 0 … 7
/// bytes: the bytes
/// Errors: 7 for a channel outside 0 … 7; 3 when the write fails (both end the program)
void WriteBytes(RtInt channel, const RtString& bytes);
/// Writes a text followed by CR LF.
/// channel: file channel, 0 … 7
/// text: the line
/// Errors: 7 for a channel outside 0 … 7; 3 when the write fails (both end the program)
void WriteLine(RtInt channel, const RtString& text);

// Files and directories.

/// Tells whether a file exists (directories do not count).
/// name: the file's name
/// Returns: 1 when it exists, else 0
RtInt FileExists(const RtString& name);
/// Tells whether a directory exists.
/// name: the directory's name
/// Returns: 1 when it exists, else 0
RtInt DirectoryExists(const RtString& name);
/// Gives a file's size; the file is not looked up in the packed archive.
/// name: the file's name
/// Returns: bytes, at most 2147483647; 0 when the file cannot be opened
/// Errors: 3 when the file cannot be opened (success leaves the code as it was)
RtInt FileSize(const RtString& name);
/// Deletes a file.
/// name: the file's name
/// Returns: 1 when deleted, else 0
RtInt RemoveFile(const RtString& name);
/// Makes one directory level.
/// name: the directory's name; its parent must exist
/// Returns: 1 when made, else 0
RtInt MakeDirectory(const RtString& name);
/// Copies a file; a copy that fails part-way is removed.
/// source: the file to copy
/// destination: the new file, replaced when it exists
/// Errors: 0 on success; 3 when either file cannot be opened or the copy fails
void DuplicateFile(const RtString& source, const RtString& destination);
/// Changes the current directory.
/// path: the directory
/// Returns: 1 on success, else 0
/// Errors: 3 when it cannot be entered (success leaves the code as it was)
RtNumber ChangeDirectory(const RtString& path);
/// Gives the current directory with forward slashes.
/// Returns: the directory, always ending with "/"
RtString CurrentDirectory();
/// Turns every backslash of a string variable into a forward slash, in place.
/// text: the variable to change
void ToForwardSlashes(RtString& text);

/// Makes size bytes at data readable under a mem:// name until UnregisterMemoryFile.
/// The memory stays the caller's.
/// data: the memory's first byte
/// size: bytes, >= 0
/// Returns: the mem:// name; "" when the region cannot be named (null data, a negative size)
RtString RegisterMemoryFile(void* data, RtInt size);
/// Forgets a region RegisterMemoryFile named.
/// data: the memory's first byte as it was registered
void UnregisterMemoryFile(const void* data);

// ---- INI files, directory listing, line-addressed text files ----

#include "tarnvik/arrays.h"

/// Reads an INI file whole into the INI table, first writing back the open one if it was changed.
/// "" just closes the table.
/// Changes reach the disk on the next OpenIni and when the program ends; a packed file is read but
/// its changes go to a loose file of that name.
/// name: the INI file's name; "" closes the table
void OpenIni(const RtString& name);
/// Reads a value of the open INI file; section and key names ignore case.
/// section: the section's name
/// key: the key's name
/// fallback: the text given when the section or the key is missing
/// Returns: the value, or fallback
RtString IniRead(const RtString& section, const RtString& key, const RtString& fallback);
/// Sets, adds or removes a value of the open INI file.
/// section: the section's name; no line ends, blanks or "="
/// key: the key's name; "" removes the whole section; no line ends, blanks or "=", and not starting
/// with ";" or "["
/// value: the new value; "" removes the key; no line ends
/// Errors: 9 when the file could not hold a section, key or value as itself (the old value stays; the
/// reason goes to the error log and standard error)
void IniWrite(const RtString& section, const RtString& key, const RtString& value);

/// Lists the subdirectories of the current directory, then its files matching a pattern.
/// Each group is sorted ignoring case.
/// pattern: wildcard pattern for the files, as WildcardMatch takes it
/// target: receives the names, one-dimensional; emptied when the directory cannot be read
/// Returns: files + 65536 × directories
RtNumber ListDirectory(const RtString& pattern, RtStringArray& target);
/// Matches a name against a wildcard pattern.
/// pattern: "*" any run, "?" one character but "."; letters match in either case; "*.*" matches everything
/// name: the name to test
/// Returns: 1 when the name matches, else 0
RtInt WildcardMatch(const RtString& pattern, const RtString& name);

// One text file at a time, lines 0 to 255. Selecting another file writes the changed one back;
// changes still pending are written when the program ends.

/// Reads one line of a line-addressed text file, without trailing control characters.
/// file: the text file; selecting another file writes the changed one back first
/// line: line number, 0 … 255
/// target: receives the line; "NO_DATA" for a line out of range, "NO_FILE" for a missing file
/// Returns: 0 on success, 7 for a line out of range, 3 for a missing file
/// Errors: 0 on success; 7 for a line out of range; 3 when the file cannot be loaded
RtNumber ReadTextLine(const RtString& file, RtInt line, RtString& target);
/// Reads one line of a line-addressed text file as a number.
/// file: the text file
/// line: line number, 0 … 255
/// Returns: the number; 0 when the line cannot be read or is not a number
/// Errors: 0 on success; 7 for a line out of range; 3 when the file cannot be loaded
RtNumber ReadTextLineNumber(const RtString& file, RtInt line);
/// Reads one line of a line-addressed text file as a whole number.
/// file: the text file
/// line: line number, 0 … 255
/// Returns: the number; 0 when the line cannot be read or is not a number
/// Errors: 0 on success; 7 for a line out of range; 3 when the file cannot be loaded
RtInt ReadTextLineInt(const RtString& file, RtInt line);
/// Replaces one line of a line-addressed text file; a file that does not exist yet is made by the write-back.
/// Lines the program did not change are written back byte for byte with their own line ends.
/// file: the text file
/// line: line number, 0 … 255
/// text: the new line; no CR or LF
/// Errors: 0 on success; 7 for a line out of range (nothing written); 9 for text holding CR or LF (the
/// old line stays)
void WriteTextLine(const RtString& file, RtInt line, const RtString& text);
/// Replaces one line of a line-addressed text file with a number as text.
/// file: the text file
/// line: line number, 0 … 255
/// value: the number, written by the runtime's number rules
/// Errors: 0 on success; 7 for a line out of range
void WriteTextLineNumber(const RtString& file, RtInt line, RtNumber value);

/// Registers a function of another library ("DECLARE"), called from the program's static initialisation.
/// Start-up loads each library once (by lower-cased name), looks the entry up and stores its address
/// in the slot. A missing library or entry leaves the slot null and writes "DECLARE module not found: "
/// or "DECLARE entry not found: " to the error log.
/// library: the library's file name
/// entry: the function's name in the library
/// slot: the function pointer that receives the address (either form: untyped or typed)
void RegisterDeclaration(const char* library, const char* entry, void** slot);
template <class Function>
void RegisterDeclaration(const char* library, const char* entry, Function** slot) {
    RegisterDeclaration(library, entry, reinterpret_cast<void**>(slot));
}
