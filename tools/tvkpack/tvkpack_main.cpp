// tvkpack: appends a directory of media to a copy of a program, and lists or extracts what a
// program carries.
//   tvkpack append [--absolute] EXE DIR [OUTPUT]   writes OUTPUT (default EXE.packed)
//   tvkpack list EXE
//   tvkpack extract EXE NAME [OUTPUT]              OUTPUT "-" is standard output
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#include "archive_writer.h"
#include "files/file_names.h"
#include "files/file_stream.h"
#include "files/packed_archive.h"
#include "platform/text_encoding.h"

namespace fs = std::filesystem;
using tvk::pack::PackEntry;

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "tvkpack: %s\n", message.c_str());
    return 1;
}

int Usage() {
    std::fputs(
        "usage: tvkpack append [--absolute] EXE DIR [OUTPUT]\n"
        "       tvkpack list EXE\n"
        "       tvkpack extract EXE NAME [OUTPUT]\n"
        "append copies EXE to OUTPUT (default EXE.packed) and appends every file under DIR;\n"
        "programs find the files by their names, without the directories.\n",
        stderr);
    return 2;
}

bool ReadWholeFile(const fs::path& path, std::vector<uint8_t>& data) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteWholeFile(const fs::path& path, const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(a.data()), static_cast<std::streamsize>(a.size()));
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    out.close();
    return static_cast<bool>(out);
}

// Programs name files in Latin-1; names on disk are UTF-8 when they can be.
std::string ProgramName(const std::string& diskName) {
    std::string latin1 = tvk::platform::Utf8ToLatin1(diskName.c_str());
    return tvk::platform::Latin1ToUtf8(latin1.c_str()) == diskName ? latin1 : diskName;
}

std::string LowerCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return text;
}

bool CollectFiles(const fs::path& dir, std::vector<PackEntry>& entries, std::string& error) {
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) {
        error = dir.string() + " is not a directory";
        return false;
    }
    std::vector<fs::path> files;
    for (fs::recursive_directory_iterator it(dir, fs::directory_options::follow_directory_symlink, ec), end;
         !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec)) files.push_back(it->path());
    }
    if (ec) {
        error = "cannot list " + dir.string() + ": " + ec.message();
        return false;
    }
    std::sort(files.begin(), files.end());
    std::map<std::string, fs::path> seen;  // programs look names up ignoring case
    for (const fs::path& file : files) {
        PackEntry entry;
        entry.name = ProgramName(file.filename().string());
        auto [place, added] = seen.emplace(LowerCase(entry.name), file);
        if (!added) {
            error = "two files would have the same name in the archive: " + place->second.string() + " and " +
                    file.string();
            return false;
        }
        if (!ReadWholeFile(file, entry.data)) {
            error = "cannot read " + file.string();
            return false;
        }
        entries.push_back(std::move(entry));
    }
    return true;
}

bool CarriesArchive(const std::vector<uint8_t>& exe) {
    return exe.size() >= 7 && std::memcmp(exe.data() + exe.size() - 7, "sbX", 3) == 0;
}

int Append(std::vector<std::string> args) {
    auto style = tvk::pack::OffsetStyle::FromEnd;
    if (!args.empty() && args[0] == "--absolute") {
        style = tvk::pack::OffsetStyle::FromStart;
        args.erase(args.begin());
    }
    if (args.size() < 2 || args.size() > 3) return Usage();
    const fs::path exe = args[0];
    const fs::path output = args.size() == 3 ? fs::path(args[2]) : fs::path(args[0] + ".packed");
    std::error_code ec;
    if (fs::exists(output, ec) && fs::equivalent(exe, output, ec)) return Fail("OUTPUT must not be EXE itself");

    std::vector<uint8_t> program;
    if (!fs::is_regular_file(exe, ec) || !ReadWholeFile(exe, program)) return Fail("cannot read " + exe.string());
    if (CarriesArchive(program)) return Fail(exe.string() + " already carries an archive");
    std::vector<PackEntry> entries;
    std::string error;
    if (!CollectFiles(args[1], entries, error)) return Fail(error);
    std::vector<uint8_t> archive;
    if (!tvk::pack::BuildArchive(entries, style, static_cast<int64_t>(program.size()), archive, error))
        return Fail(error);
    if (!WriteWholeFile(output, program, archive)) {
        fs::remove(output, ec);
        return Fail("cannot write " + output.string());
    }
    fs::permissions(output, fs::status(exe, ec).permissions(), ec);
    std::printf("%s: %zu files, %zu bytes appended\n", output.string().c_str(), entries.size(), archive.size());
    return 0;
}

bool OpenArchive(const std::string& exe, tvk::FileStream& stream, tvk::PackedArchive& archive, std::string& error) {
    if (!stream.OpenRead(exe.c_str())) {
        error = "cannot read " + exe;
        return false;
    }
    switch (archive.Open()) {
        case tvk::ArchiveStatus::Ok: return true;
        case tvk::ArchiveStatus::NotAnArchive: error = exe + " carries no archive"; return false;
        case tvk::ArchiveStatus::Unreadable: error = "cannot read " + exe; return false;
        case tvk::ArchiveStatus::Corrupt: error = "the archive of " + exe + " is corrupt"; return false;
    }
    return false;
}

int List(const std::vector<std::string>& args) {
    if (args.size() != 1) return Usage();
    tvk::FileStream stream;
    tvk::PackedArchive archive(stream);
    std::string error;
    if (!OpenArchive(args[0], stream, archive, error)) return Fail(error);
    tvk::ArchiveEntry entry;
    while (archive.Next(entry)) {
        std::printf("%10d  %s\n", entry.storedSize, tvk::platform::Latin1ToUtf8(entry.name.c_str()).c_str());
    }
    return 0;
}

int Extract(const std::vector<std::string>& args) {
    if (args.size() < 2 || args.size() > 3) return Usage();
    tvk::FileStream stream;
    tvk::PackedArchive archive(stream);
    std::string error;
    if (!OpenArchive(args[0], stream, archive, error)) return Fail(error);
    const std::string wanted = tvk::platform::Utf8ToLatin1(args[1].c_str());
    tvk::ArchiveEntry entry;
    if (!archive.Find(tvk::BaseName(wanted.c_str()), entry)) return Fail(args[1] + " is not in the archive");
    tvk::UnpackedData data;
    if (archive.Unpack(entry, data) != tvk::UnpackStatus::Ok) return Fail(args[1] + " is corrupt in the archive");

    const std::string output =
        args.size() == 3 ? args[2] : tvk::platform::Latin1ToUtf8(tvk::BaseName(entry.name.c_str()));
    if (output == "-") {
        bool written = std::fwrite(data.bytes.get(), 1, data.size, stdout) == data.size;
        return written && std::fflush(stdout) == 0 ? 0 : Fail("cannot write to standard output");
    }
    std::error_code ec;
    if (fs::exists(output, ec) && fs::equivalent(args[0], output, ec)) return Fail("OUTPUT must not be EXE itself");
    std::vector<uint8_t> bytes(data.bytes.get(), data.bytes.get() + data.size);
    if (!WriteWholeFile(output, bytes, {})) return Fail("cannot write " + output);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string command = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    if (command == "append") return Append(args);
    if (command == "list") return List(args);
    if (command == "extract") return Extract(args);
    if (command == "--help" || command == "-h" || command == "help") {
        Usage();
        return 0;
    }
    return Usage();
}
