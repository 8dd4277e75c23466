// Functions of external libraries that the program declared, bound at start-up.
#pragma once

namespace tvk {

void BindDeclaredLibraries();

}  // namespace tvk
