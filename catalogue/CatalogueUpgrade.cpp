#include "catalogue/CatalogueUpgrade.h"

#include <sys/stat.h>

#include <algorithm>
#include <deque>
#include <map>
#include <optional>
#include <vector>

#include "app/layout/StringTable.h"
#include "base/FileAccess.h"
#include "base/NumberText.h"
#include "base/TextLines.h"
#include "base/XdgFolders.h"
#include "catalogue/CIniTable.h"
#include "catalogue/CatalogueFiles.h"

namespace wavepost {

namespace {

// How the rows of one table are matched between the user's table and the newer one, and
// which column holds the user's choice.
struct TableRule {
    const char* path;
    std::vector<std::size_t> keyColumns;  // from 1
    std::size_t choiceColumn;             // 0: the table holds no choice
    std::size_t defaultColumn;            // what a new row's choice takes; 0: the shipped value
};

const std::vector<TableRule>& Rules() {
    using namespace catalogue;
    static const std::vector<TableRule> rules = {
        {kDomaines, {1}, 0, 0},
        {kEcheances, {1, 2}, 3, 4},
        {kParametres, {1, 2}, 4, 5},
        {kBulletins, {1, 2}, 4, 0},
        {kImages, {1, 2}, 4, 0},
        {kOptions, {1, 4}, 2, 3},
        {kModes, {1}, 0, 0},
        {kCompressions, {1}, 0, 0},
        {kEnvois, {1}, 0, 0},
        {kTelecoms, {1}, 0, 0},
        {kUnites, {1}, 0, 0},
        {kMailles, {1, 2, 3}, 0, 0},
        {kSoft, {1}, 0, 0},
        // The rules of the second weather service: no choice, rows matched whole but for
        // their description.
        {kSaildocs, {1, 2, 3, 4}, 0, 0},
    };
    return rules;
}

using Row = std::vector<std::string>;

// A table as the catalogue reader sees it: the header's semicolons fix the column count, a
// line with fewer cells repeats its last one, CRs are dropped.
struct Table {
    std::size_t columns = 0;
    std::vector<Row> rows;  // rows[0] is the header

    static Table Parse(const std::string& bytes) {
        Table table;
        if (bytes.empty()) return table;
        table.columns = static_cast<std::size_t>(std::count(
                            bytes.begin(), std::find(bytes.begin(), bytes.end(), '\n'), ';')) +
                        1;
        for (const std::string_view raw : SplitLines(bytes)) {
            std::string line(raw);
            line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
            Row row;
            std::size_t position = 0;
            while (row.size() < table.columns) {
                const std::size_t semicolon = line.find(';', position);
                if (semicolon == std::string::npos) {
                    row.resize(table.columns, line.substr(position));
                    break;
                }
                row.push_back(line.substr(position, semicolon - position));
                position = semicolon + 1;
            }
            table.rows.push_back(std::move(row));
        }
        return table;
    }

    // As the catalogue writes its tables: the header's column count, CRLF line ends.
    std::string Bytes() const {
        std::string out;
        for (const Row& row : rows) {
            for (std::size_t c = 0; c < columns; ++c) {
                if (c > 0) out += ';';
                if (c < row.size()) out += row[c];
            }
            out += "\r\n";
        }
        return out;
    }
};

std::string Unquoted(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '"'), text.end());
    return text;
}

std::string KeyOf(const Row& row, const TableRule& rule) {
    std::string key;
    for (std::size_t column : rule.keyColumns) {
        if (column <= row.size()) key += Unquoted(row[column - 1]);
        key += '\x1f';
    }
    return key;
}

struct TableChanges {
    int added = 0, removed = 0, changed = 0;
    bool Any() const { return added || removed || changed; }
};

// The newer table's rows; a row the user's table also has keeps the user's choice.
Table Merge(const Table& user, const Table& shipped, const TableRule& rule, TableChanges& changes) {
    Table merged = shipped;
    std::map<std::string, std::deque<std::size_t>> userRows;
    for (std::size_t r = 1; r < user.rows.size(); ++r)
        userRows[KeyOf(user.rows[r], rule)].push_back(r);
    std::vector<bool> kept(user.rows.size(), false);
    for (std::size_t r = 1; r < merged.rows.size(); ++r) {
        Row& row = merged.rows[r];
        auto found = userRows.find(KeyOf(row, rule));
        if (found == userRows.end() || found->second.empty()) {
            ++changes.added;
            if (rule.choiceColumn && rule.defaultColumn && rule.defaultColumn <= row.size() &&
                rule.choiceColumn <= row.size())
                row[rule.choiceColumn - 1] = row[rule.defaultColumn - 1];
            continue;
        }
        const std::size_t u = found->second.front();
        found->second.pop_front();
        kept[u] = true;
        const Row& mine = user.rows[u];
        bool differs = false;
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c + 1 == rule.choiceColumn) {
                if (c < mine.size()) row[c] = mine[c];
            } else if (c >= mine.size() || mine[c] != row[c]) {
                differs = true;
            }
        }
        if (differs) ++changes.changed;
    }
    for (std::size_t r = 1; r < user.rows.size(); ++r)
        if (!kept[r]) ++changes.removed;
    return merged;
}

// The file's bytes, or nothing when there is no such file; throws FileError when it
// exists and cannot be read, or is beyond what a table may be.
std::optional<std::string> ReadIfPresent(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    if (static_cast<std::size_t>(st.st_size) > CIniTable::kMaxBytes) throw TableTooLargeError(path);
    return ReadWholeFile(path, ReadAccess::ReadOnly);
}

// The version a version file holds (its first data row); 0 without one.
long VersionIn(const std::optional<std::string>& bytes) {
    if (!bytes) return 0;
    const Table table = Table::Parse(*bytes);
    return table.rows.size() > 1 && !table.rows[1].empty() ? ReadInteger(table.rows[1][0]) : 0;
}

std::string BackupFolderName(UtcTime now) {
    const std::string iso = FormatIsoUtc(now);  // 2026-12-08T08:03:33Z
    std::string stamp;
    for (char c : iso)
        if (c >= '0' && c <= '9') stamp += c;
    return "ini-" + stamp.substr(0, 8) + "-" + stamp.substr(8);
}

}  // namespace

CatalogueUpgrade UpgradeCatalogue(const std::string& shippedFolder, const std::string& workFolder,
                                  UtcTime now) {
    auto shippedPath = [&](const std::string& name) { return shippedFolder + "/" + name; };
    auto workPath = [&](const std::string& name) { return workFolder + "/" + name; };
    const std::optional<std::string> shippedVersionBytes =
        ReadIfPresent(shippedPath(kCatalogueVersionFile));
    if (!shippedVersionBytes) return {};
    const long shippedVersion = VersionIn(shippedVersionBytes);

    std::vector<std::string> names;
    for (const TableRule& rule : Rules()) names.push_back(rule.path);
    names.push_back(catalogue::kPresentation);
    names.push_back(kCatalogueVersionFile);

    // The user's tables are read as one set: a save cut short is finished or undone first.
    const std::string iniFolder = workPath(catalogue::kFolder);
    {
        CFolderLock lock(iniFolder);
        if (lock.IsHeld()) {
            std::vector<std::string> paths;
            for (const std::string& name : names) paths.push_back(workPath(name));
            RecoverFileSet(iniFolder, paths, StateFolderFromEnvironment());
        }
    }
    const std::optional<std::string> userVersionBytes =
        ReadIfPresent(workPath(kCatalogueVersionFile));
    const long userVersion = VersionIn(userVersionBytes);
    if (userVersion >= shippedVersion) return {};

    std::vector<FileBytes> files;
    std::map<std::string, std::string> previous;  // the user's whole set, for the backup
    std::string changeLines;
    auto replace = [&](const std::string& name, std::string bytes) {
        files.push_back({workPath(name), std::move(bytes)});
    };
    for (const TableRule& rule : Rules()) {
        const std::optional<std::string> shipped = ReadIfPresent(shippedPath(rule.path));
        if (!shipped) continue;  // a table the newer catalogue does not ship stays the user's
        const std::optional<std::string> user = ReadIfPresent(workPath(rule.path));
        if (user) previous[rule.path] = *user;
        TableChanges changes;
        const Table merged = Merge(Table::Parse(user.value_or(std::string())),
                                   Table::Parse(*shipped), rule, changes);
        std::string bytes = merged.Bytes();
        if (user && Table::Parse(*user).Bytes() == bytes) continue;
        const std::string name =
            std::string(rule.path).substr(std::string(catalogue::kFolder).size() + 1);
        if (changes.Any())
            changeLines += Format(LoadString(IDS_UPGRADE_TABLE_LINE).c_str(), name.c_str(),
                                  changes.added, changes.removed, changes.changed) +
                           "\n";
        replace(rule.path, std::move(bytes));
    }
    if (const std::optional<std::string> text =
            ReadIfPresent(shippedPath(catalogue::kPresentation))) {
        const std::optional<std::string> user = ReadIfPresent(workPath(catalogue::kPresentation));
        if (user) previous[catalogue::kPresentation] = *user;
        if (user != text) replace(catalogue::kPresentation, *text);
    }
    const bool tablesChange = !files.empty();
    if (userVersionBytes) previous[kCatalogueVersionFile] = *userVersionBytes;
    replace(kCatalogueVersionFile, *shippedVersionBytes);

    // The previous files first, whole, in a folder of their own: the set below may then
    // replace them.
    std::string backup;
    if (tablesChange) {
        backup = workPath(BackupFolderName(now));
        for (const auto& [name, bytes] : previous) {
            const std::string path = backup + "/" + name.substr(name.find('/') + 1);
            CreateFolderOf(backup, path);
            WriteFileAtomically(path, bytes);
        }
    }
    // The state folder keeps the journal of a save in place, as for the window's saves.
    WriteFilesTogether(iniFolder, files, StateFolderFromEnvironment());

    CatalogueUpgrade result;
    result.merged = true;
    if (tablesChange)
        result.message = Format(LoadString(IDS_CATALOGUE_UPGRADED).c_str(), userVersion,
                                shippedVersion, changeLines.c_str(), backup.c_str());
    return result;
}

}  // namespace wavepost
