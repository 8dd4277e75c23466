#include "include_layers.h"

#include <sstream>

namespace tvk::test {

namespace {

std::vector<std::string> BacktickedWords(const std::string& cell) {
    std::vector<std::string> words;
    size_t at = 0;
    while ((at = cell.find('`', at)) != std::string::npos) {
        size_t end = cell.find('`', at + 1);
        if (end == std::string::npos) break;
        words.push_back(cell.substr(at + 1, end - at - 1));
        at = end + 1;
    }
    return words;
}

}  // namespace

LayerRules ParseLayerTable(const std::string& markdown) {
    LayerRules rules;
    std::istringstream in(markdown);
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        if (line.rfind("## ", 0) == 0) {
            inSection = line == "## Layer order";
            continue;
        }
        if (!inSection || line.empty() || line[0] != '|') continue;
        size_t split = line.find('|', 1);
        if (split == std::string::npos) continue;
        std::vector<std::string> folder = BacktickedWords(line.substr(1, split - 1));
        if (folder.size() != 1) continue;  // the header and rule rows
        std::vector<std::string> allowed = BacktickedWords(line.substr(split + 1));
        rules[folder[0]] = std::set<std::string>(allowed.begin(), allowed.end());
    }
    return rules;
}

std::vector<std::string> LayerViolations(const LayerRules& rules, const std::vector<SourceFile>& files) {
    std::vector<std::string> found;
    for (const SourceFile& file : files) {
        auto own = rules.find(file.folder);
        if (own == rules.end()) {
            found.push_back(file.path + ": folder " + file.folder + " has no row in the layer table");
            continue;
        }
        std::istringstream in(file.text);
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            const std::string directive = "#include \"";
            size_t at = line.find(directive);
            if (at == std::string::npos || line.find_first_not_of(" \t") != at) continue;
            size_t start = at + directive.size();
            size_t slash = line.find('/', start);
            size_t quote = line.find('"', start);
            if (slash == std::string::npos || quote == std::string::npos || slash > quote) continue;
            std::string target = line.substr(start, slash - start);
            if (target == file.folder || rules.find(target) == rules.end()) continue;
            if (own->second.count("*") || own->second.count(target)) continue;
            found.push_back(file.path + ":" + std::to_string(number) + ": " + file.folder + " includes " +
                            line.substr(start, quote - start));
        }
    }
    return found;
}

}  // namespace tvk::test
