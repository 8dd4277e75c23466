// Reads a model file of any format the import library knows into one merged model: every mesh of
// the scene placed by its node's transform, and for MD2 files every animation frame.
#pragma once

#include <string>
#include <vector>

#include "mesh_model.h"

namespace tvk::meshtool {

// notes receives what the user should know about a conversion that still succeeded: parts of the
// model left out, an animation cut short.
bool ImportModel(const std::string& path, MeshModel& model, std::vector<std::string>& notes, std::string& error);

}  // namespace tvk::meshtool
