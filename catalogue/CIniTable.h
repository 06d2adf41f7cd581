// One catalogue file held in memory as rows of cells, 1-based, row 1 being the header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wavepost {

class CIniTable {
  public:
    explicit CIniTable(std::string path);
    virtual ~CIniTable() = default;

    // Reads the file; throws platform::FileError when it cannot be opened for update.
    void Load();
    std::int32_t GetRowCount();
    std::int32_t GetColumnCount();
    std::string GetCell(std::int32_t row, std::int32_t column) const;
    // Semicolons and line ends would shift the row's cells at the next load; they are
    // removed from the value.
    void SetCell(std::int32_t row, std::int32_t column, const std::string& value);
    // The first row after afterRow whose cell equals the key, double quotes ignored; -1.
    std::int32_t FindRow(const std::string& key, std::int32_t column, std::int32_t afterRow);
    // Rewrites the file whole; throws platform::FileError naming the path.
    void Save();
    // What Save writes: every row with the header's column count, CRLF line ends.
    std::string Bytes() const;

    const std::string& Path() const { return m_strPath; }

  private:
    // Counts not yet taken are taken from this content and kept.
    void TakeCounts(const std::string& content, bool rows, bool columns);
    // Index in m_cells of a 1-based position, or -1 beyond the cells.
    std::int64_t CellIndex(std::int32_t row, std::int32_t column) const;

    std::string m_strPath;
    std::vector<std::string> m_cells;
    std::int32_t m_nRowCount = -1;
    std::int32_t m_nColumnCount = -1;
};

}  // namespace wavepost
