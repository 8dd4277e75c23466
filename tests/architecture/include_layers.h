// The layer rule of the runtime's folders: which folder's headers each folder may include.
// The rule is read from the table in docs/ARCHITECTURE.md, so the document and the check
// cannot drift apart.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace tvk::test {

// folder -> the other folders it may include ("*" stands for every folder).
using LayerRules = std::map<std::string, std::set<std::string>>;

// Reads the rows "| `folder` | `a`, `b` |" under the heading "## Layer order".
LayerRules ParseLayerTable(const std::string& markdown);

struct SourceFile {
    std::string folder;  // the runtime folder it lives in ("tarnvik" for runtime/include)
    std::string path;    // for messages
    std::string text;
};

// "path:line: folder includes other/x.h" for every include the rules do not allow, and for
// every file in a folder the rules do not name.
std::vector<std::string> LayerViolations(const LayerRules& rules, const std::vector<SourceFile>& files);

}  // namespace tvk::test
