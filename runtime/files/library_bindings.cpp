#include "files/library_bindings.h"

namespace tvk {

void BindDeclaredLibraries() {}

}  // namespace tvk
