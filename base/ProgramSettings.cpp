#include "base/ProgramSettings.h"

#include "base/FileAccess.h"
#include "base/LineEscape.h"
#include "base/TextLines.h"

namespace wavepost {

namespace {

using Text = std::string ProgramSettings::*;

// Each folder key with its member, for reading and writing alike.
struct FolderKey {
    const char* key;
    Text member;
};
constexpr const char* kMethodKey = "handover";
constexpr FolderKey kFolderKeys[] = {
    {"outbox", &ProgramSettings::outboxFolder},
    {"save-folder", &ProgramSettings::saveFolder},
};

std::string SettingsPath(const std::string& folder) {
    return folder + "/" + kSettingsFileName;
}

}  // namespace

const char* MethodName(HandOverMethod method) {
    switch (method) {
        case HandOverMethod::Pat:
            return "pat";
        case HandOverMethod::File:
            return "file";
        case HandOverMethod::Mail:
            break;
    }
    return "mail";
}

std::optional<HandOverMethod> ReadMethodName(const std::string& name) {
    for (const HandOverMethod m : {HandOverMethod::Mail, HandOverMethod::Pat, HandOverMethod::File})
        if (name == MethodName(m)) return m;
    return std::nullopt;
}

ProgramSettings ParseSettings(const std::string& text) {
    ProgramSettings settings;
    for (const std::string_view raw : SplitLines(text)) {
        const std::string line(WithoutCarriageReturn(raw));
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = line.substr(0, equals);
        const std::optional<std::string> value = UnescapeLine(line.substr(equals + 1));
        if (!value) continue;
        if (key == kMethodKey) {
            if (const auto method = ReadMethodName(*value)) settings.method = *method;
            continue;
        }
        bool known = false;
        for (const FolderKey& f : kFolderKeys) {
            if (key != f.key) continue;
            settings.*f.member = *value;
            known = true;
        }
        if (!known) settings.otherKeys.emplace_back(key, *value);
    }
    return settings;
}

std::string FormatSettings(const ProgramSettings& settings) {
    std::string out = std::string(kMethodKey) + "=" + MethodName(settings.method) + "\n";
    for (const FolderKey& f : kFolderKeys)
        out += std::string(f.key) + "=" + EscapeLine(settings.*f.member) + "\n";
    for (const auto& [key, value] : settings.otherKeys) out += key + "=" + EscapeLine(value) + "\n";
    return out;
}

ProgramSettings LoadSettings(const std::string& folder) {
    if (folder.empty()) return {};
    try {
        return ParseSettings(ReadWholeFile(SettingsPath(folder), ReadAccess::ReadOnly));
    } catch (const FileShapeError& error) {
        ProgramSettings settings;
        settings.problem = error.Failure();
        return settings;
    } catch (const FileError&) {
        return {};
    }
}

void SaveSettings(const std::string& folder, const ProgramSettings& settings) {
    const std::string path = SettingsPath(folder);
    CreateFolderOf(folder, path);
    WriteFileAtomically(path, FormatSettings(settings));
}

}  // namespace wavepost
