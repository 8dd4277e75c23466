// Reads a model file of any format the import library knows into one merged model: every mesh of
// the scene placed by its node's transform, and for MD2 files every animation frame.
#pragma once

#include <string>

#include "mesh_model.h"

namespace tvk::meshtool {

bool ImportModel(const std::string& path, MeshModel& model, std::string& error);

}  // namespace tvk::meshtool
