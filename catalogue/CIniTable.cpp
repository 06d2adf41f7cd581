#include "catalogue/CIniTable.h"

#include <algorithm>

#include "app/FileAccess.h"
#include "app/NumberText.h"

namespace wavepost {

namespace {

// The file's lines without their line ends ("\n", or "\r\n"); a last line without a
// line end counts too. A line of any length is one line.
std::vector<std::string> SplitLines(const std::string& content) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        bool hasEnd = end != std::string::npos;
        if (!hasEnd) end = content.size();
        std::size_t stop = end;
        if (hasEnd && stop > start && content[stop - 1] == '\r') --stop;
        lines.push_back(content.substr(start, stop - start));
        start = hasEnd ? end + 1 : end;
    }
    return lines;
}

}  // namespace

CIniTable::CIniTable(std::string path) : m_strPath(std::move(path)) {}

void CIniTable::TakeCounts(const std::string& content, bool rows, bool columns) {
    auto lines = SplitLines(content);
    if (columns && m_nColumnCount < 0) {
        m_nColumnCount =
            lines.empty()
                ? 0
                : static_cast<std::int32_t>(std::count(lines[0].begin(), lines[0].end(), ';')) + 1;
    }
    if (rows && m_nRowCount < 0) m_nRowCount = static_cast<std::int32_t>(lines.size());
}

std::int32_t CIniTable::GetRowCount() {
    if (m_nRowCount < 0) TakeCounts(ReadWholeFileForUpdate(m_strPath), true, false);
    return m_nRowCount;
}

std::int32_t CIniTable::GetColumnCount() {
    if (m_nColumnCount < 0) TakeCounts(ReadWholeFileForUpdate(m_strPath), false, true);
    return m_nColumnCount;
}

void CIniTable::Load() {
    m_cells.clear();
    std::string content = ReadWholeFileForUpdate(m_strPath);
    TakeCounts(content, true, true);
    for (const std::string& line : SplitLines(content)) {
        std::string remainder = line;
        for (std::int32_t c = 0; c < m_nColumnCount; ++c) {
            auto semicolon = remainder.find(';');
            if (semicolon == std::string::npos) {
                m_cells.push_back(remainder);
            } else {
                m_cells.push_back(remainder.substr(0, semicolon));
                remainder.erase(0, semicolon + 1);
            }
        }
    }
}

std::int64_t CIniTable::CellIndex(std::int32_t row, std::int32_t column) const {
    std::int64_t position =
        (static_cast<std::int64_t>(row) - 1) * std::max<std::int32_t>(m_nColumnCount, 0) + column;
    std::int64_t index = position <= 1 ? 0 : position - 1;
    return index < static_cast<std::int64_t>(m_cells.size()) ? index : -1;
}

std::string CIniTable::GetCell(std::int32_t row, std::int32_t column) const {
    std::int64_t index = CellIndex(row, column);
    return index < 0 ? std::string() : m_cells[static_cast<std::size_t>(index)];
}

void CIniTable::SetCell(std::int32_t row, std::int32_t column, const std::string& value) {
    std::int64_t index = CellIndex(row, column);
    if (index < 0) return;
    std::string clean = value;
    clean.erase(std::remove_if(clean.begin(), clean.end(),
                               [](char c) { return c == ';' || c == '\r' || c == '\n'; }),
                clean.end());
    m_cells[static_cast<std::size_t>(index)] = std::move(clean);
}

std::int32_t CIniTable::FindRow(const std::string& key, std::int32_t column,
                                std::int32_t afterRow) {
    std::string wanted = Unquoted(key);
    std::int32_t rows = GetRowCount();
    for (std::int32_t r = std::max(afterRow + 1, 1); r <= rows; ++r) {
        if (Unquoted(GetCell(r, column)) == wanted) return r;
    }
    return -1;
}

void CIniTable::Save() {
    WriteFileAtomically(m_strPath, Bytes());
}

std::string CIniTable::Bytes() const {
    std::int32_t columns = std::max<std::int32_t>(m_nColumnCount, 0);
    std::int32_t rows = std::max<std::int32_t>(m_nRowCount, 0);
    std::string out;
    for (std::int32_t r = 1; r <= rows; ++r) {
        for (std::int32_t c = 1; c <= columns; ++c) {
            if (c > 1) out += ';';
            std::int64_t index = (static_cast<std::int64_t>(r) - 1) * columns + (c - 1);
            if (index < static_cast<std::int64_t>(m_cells.size()))
                out += m_cells[static_cast<std::size_t>(index)];
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace wavepost
