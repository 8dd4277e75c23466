// tvkmesh: converts a model made with an ordinary 3D tool into an object file the runtime loads.
//   tvkmesh [--v1 | --ddda] INPUT OUTPUT
#include <algorithm>
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "colour_table.h"
#include "mesh_file_writer.h"
#include "model_import.h"
#include "replace_file.h"

using namespace tvk::meshtool;

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "tvkmesh: %s\n", message.c_str());
    return 1;
}

int Usage() {
    std::fputs(
        "usage: tvkmesh [--v1 | --ddda] INPUT OUTPUT\n"
        "converts a model (OBJ, glTF, MD2, 3DS, FBX, ...) into an object file:\n"
        "  (default)  binary, float vertices (version 2.0)\n"
        "  --v1       binary, byte-quantised frames (version 1.x)\n"
        "  --ddda     text (\"DDDA\" version 1.1)\n",
        stderr);
    return 2;
}

std::string Count(size_t n, const char* noun) {
    return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

void PrintSummary(const std::string& output, const MeshModel& model) {
    Vec3 lo = model.frames[0].positions[0];
    Vec3 hi = lo;
    for (const ModelFrame& frame : model.frames) {
        for (const Vec3& p : frame.positions) {
            for (int axis = 0; axis < 3; ++axis) {
                lo[axis] = std::min(lo[axis], p[axis]);
                hi[axis] = std::max(hi[axis], p[axis]);
            }
        }
    }
    const ColourTable colours =
        BuildColourTable(model.colours.empty() ? std::vector<uint32_t>{0xFFFFFF} : model.colours);
    std::printf("%s: %s, %s, %s", output.c_str(), Count(model.frames.size(), "frame").c_str(),
                Count(model.frames[0].positions.size() / 3, "triangle").c_str(),
                Count(colours.colours.size(), "colour").c_str());
    if (colours.distinctBefore > colours.colours.size())
        std::printf(" (reduced from %zu)", colours.distinctBefore);
    std::printf("\nbounding box: (%g, %g, %g) to (%g, %g, %g)\n", lo[0], lo[1], lo[2], hi[0], hi[1], hi[2]);
}

int Convert(std::vector<std::string> args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        Usage();
        return 0;
    }
    MeshFileFormat format = MeshFileFormat::Binary;
    if (!args.empty() && (args[0] == "--v1" || args[0] == "--ddda")) {
        format = args[0] == "--v1" ? MeshFileFormat::QuantisedBinary : MeshFileFormat::Text;
        args.erase(args.begin());
    }
    if (args.size() != 2 || args[0].starts_with("-") || args[1].starts_with("-")) return Usage();

    MeshModel model;
    std::string error;
    std::vector<std::string> notes;
    if (!ImportModel(args[0], model, notes, error)) return Fail(error);
    for (const std::string& note : notes) std::fprintf(stderr, "tvkmesh: %s: %s\n", args[0].c_str(), note.c_str());
    std::vector<uint8_t> bytes;
    if (!EncodeMeshFile(model, format, bytes, error)) return Fail(args[0] + ": " + error);
    if (!ReplaceFile(args[1], bytes, error)) return Fail(error);
    PrintSummary(args[1], model);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Convert(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::bad_alloc&) {
        return Fail("out of memory");  // a model too large for this machine
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
}
