// SPDX-License-Identifier: GPL-3.0-or-later
// One catalogue file held in memory as rows of cells, 1-based, row 1 being the header.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/FileAccess.h"

namespace wavepost {

// A table refused because holding or writing it would take more memory than any catalogue
// needs. Its what() is the user's message too.
class TableTooLargeError : public FileError {
  public:
    explicit TableTooLargeError(const std::string& path);
};

class CIniTable {
  public:
    // Beyond these a table is refused: the file's bytes, the bytes Save would write (short
    // rows are written whole), and the cells its lines hold.
    static constexpr std::size_t kMaxBytes = std::size_t{128} << 20;
    static constexpr std::size_t kMaxCells = std::size_t{8} << 20;

    explicit CIniTable(std::string path);
    virtual ~CIniTable() = default;

    // Reads the file; throws FileError when it cannot be opened for update, and
    // TableTooLargeError beyond the bounds above.
    void Load();
    std::int32_t GetRowCount();
    std::int32_t GetColumnCount();
    std::string GetCell(std::int32_t row, std::int32_t column) const;
    // The same cell without a copy; valid until the next SetCell or Load.
    std::string_view CellView(std::int32_t row, std::int32_t column) const;
    // Semicolons and line ends would shift the row's cells at the next load; they are
    // removed from the value.
    void SetCell(std::int32_t row, std::int32_t column, std::string_view value);
    // The first row after afterRow whose cell equals the key, double quotes ignored; -1.
    std::int32_t FindRow(const std::string& key, std::int32_t column, std::int32_t afterRow);
    // Whether the cell equals the key, double quotes ignored in both.
    bool CellMatches(std::int32_t row, std::int32_t column, std::string_view key) const;
    // The data rows (from 2 up to the row count), in order, whose cell in the column (from
    // 1) equals the key, double quotes ignored; built once, then kept until a cell of the
    // column changes. Valid until the next RowsMatching or Load: a SetCell on the rows can
    // make one stop matching (with fewer columns than asked, the cell lies in the next row),
    // so writers check CellMatches again.
    const std::vector<std::int32_t>& RowsMatching(std::int32_t column, std::string_view key);
    // Calls visit(row) for each row RowsMatching gives, in order. The rows are taken
    // first, so visit may change the table or ask for other rows; a row that stopped
    // matching meanwhile is skipped.
    template <class Visit>
    void ForEachRowMatching(std::int32_t column, std::string_view key, Visit visit) {
        const std::vector<std::int32_t> rows = RowsMatching(column, key);
        for (const std::int32_t row : rows)
            if (CellMatches(row, column, key)) visit(row);
    }
    // The same rows as the items of a list of count items: visit(item, row) for the
    // first count rows, item i being the i-th row.
    template <class Visit>
    void ForEachItemRow(std::int32_t column, std::string_view key, int count, Visit visit) {
        int item = 0;
        ForEachRowMatching(column, key, [&](std::int32_t row) {
            if (item < count) visit(item++, row);
        });
    }
    // Rewrites the file whole; throws FileError naming the path.
    void Save();
    // What Save writes: every row with the header's column count, CRLF line ends.
    std::string Bytes() const;

    const std::string& Path() const { return m_strPath; }

  private:
    // The cells a line holds: those before its semicolons (at most the column count), and
    // the text after its last semicolon, which every further cell of the row repeats
    // until one is set.
    struct Row {
        std::vector<std::string> cells;
        std::string fill;
    };

    // Counts not yet taken are taken from this content and kept.
    void TakeCounts(const std::string& content, bool rows, bool columns);
    // The file's bytes; refuses a file beyond kMaxBytes before reading it.
    std::string ReadContent() const;
    // Row index (0-based, into m_rows) and column index of a 1-based position; false
    // beyond the cells.
    bool Locate(std::int32_t row, std::int32_t column, std::size_t& rowIndex,
                std::size_t& columnIndex) const;
    // The bytes Save would write, stopping once past the bound.
    std::size_t SavedSize(std::size_t bound) const;

    std::string m_strPath;
    std::vector<Row> m_rows;
    std::int32_t m_nRowCount = -1;
    std::int32_t m_nColumnCount = -1;
    // The data rows by the unquoted text of one column; column 0 when none is indexed.
    std::int32_t m_nIndexedColumn = 0;
    std::unordered_map<std::string, std::vector<std::int32_t>> m_rowsByKey;
};

}  // namespace wavepost
