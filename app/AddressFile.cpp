#include "app/AddressFile.h"

#include <algorithm>
#include <cctype>

#include "app/CConfigFile.h"
#include "base/FileAccess.h"

namespace wavepost {

bool IsPlaceholderAddress(const std::string& address) {
    const std::size_t at = address.rfind('@');
    std::string domain = address.substr(at == std::string::npos ? 0 : at + 1);
    std::transform(domain.begin(), domain.end(), domain.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    // A final dot names the same domain.
    if (!domain.empty() && domain.back() == '.') domain.pop_back();
    return domain == "invalid" || domain.ends_with(".invalid");
}

std::string WithConfigValues(std::string content,
                             const std::vector<std::pair<std::string, std::string>>& values) {
    const std::string lineEnd = content.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    for (const auto& [key, value] : values) {
        const std::size_t found = FindConfigKey(content, key);
        if (found == std::string::npos) {
            if (!content.empty() && content.back() != '\n') content += lineEnd;
            content += key + "=" + value + lineEnd;
            continue;
        }
        const std::size_t afterKey = found + key.size();
        if (afterKey >= content.size() || content[afterKey] == '\r' || content[afterKey] == '\n') {
            content.insert(afterKey, "=" + value);
            continue;
        }
        const std::size_t start = afterKey + 1;  // one separator, whatever it is
        std::size_t end = content.find_first_of(std::string("\r\n\0", 3), start);
        if (end == std::string::npos) end = content.size();
        content.replace(start, end - start, value);
    }
    return content;
}

void WriteConfigValues(const std::string& path,
                       const std::vector<std::pair<std::string, std::string>>& values) {
    const std::string content = ReadWholeFile(path, ReadAccess::ForUpdate);
    const std::string changed = WithConfigValues(content, values);
    if (changed != content) WriteFileAtomically(path, changed);
}

}  // namespace wavepost
