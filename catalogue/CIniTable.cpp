#include "catalogue/CIniTable.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "app/layout/StringTable.h"
#include "base/FileAccess.h"
#include "base/NumberText.h"

namespace wavepost {

namespace {

// A cell's bytes as read: a CR is never part of a cell (one before the LF belongs to the
// line end; a lone one would become a line break wherever the cell is sent).
std::string CellText(std::string_view bytes) {
    std::string text(bytes);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

// Whether two texts are equal once every double quote is removed from both.
bool EqualsUnquoted(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    for (;;) {
        while (i < a.size() && a[i] == '"') ++i;
        while (j < b.size() && b[j] == '"') ++j;
        if (i == a.size() || j == b.size()) return i == a.size() && j == b.size();
        if (a[i++] != b[j++]) return false;
    }
}

}  // namespace

TableTooLargeError::TableTooLargeError(const std::string& path)
    : FileError({FileFault::TableTooLarge, path},
                FileErrorMessage(FileFailure{FileFault::TableTooLarge, path})) {}

CIniTable::CIniTable(std::string path) : m_strPath(std::move(path)) {}

std::string CIniTable::ReadContent() const {
    // Read up to just past the bound, so that a device or a growing file cannot fill the
    // memory; a table too large gets its own message.
    bool notRegular = false;
    const int fd = OpenRegularFile(m_strPath, ReadAccess::ForUpdate, notRegular);
    if (notRegular) ThrowNotRegular(m_strPath);
    if (fd < 0) ThrowFileError(m_strPath, FileOperation::Read);
    struct stat st {};
    if (::fstat(fd, &st) == 0 && static_cast<std::uintmax_t>(st.st_size) > kMaxBytes) {
        ::close(fd);
        throw TableTooLargeError(m_strPath);
    }
    std::string content;
    const bool read = ReadWholeDescriptor(fd, content, kMaxBytes);
    ::close(fd);
    if (content.size() > kMaxBytes) throw TableTooLargeError(m_strPath);
    if (!read) ThrowFileError(m_strPath, FileOperation::Read);
    return content;
}

void CIniTable::TakeCounts(const std::string& content, bool rows, bool columns) {
    // A line ends at LF; a last line without one counts too.
    if (columns && m_nColumnCount < 0) {
        const auto headerEnd = std::find(content.begin(), content.end(), '\n');
        m_nColumnCount =
            content.empty()
                ? 0
                : static_cast<std::int32_t>(std::count(content.begin(), headerEnd, ';')) + 1;
    }
    if (rows && m_nRowCount < 0) {
        const auto ends = std::count(content.begin(), content.end(), '\n');
        m_nRowCount =
            static_cast<std::int32_t>(ends + (!content.empty() && content.back() != '\n'));
    }
}

std::int32_t CIniTable::GetRowCount() {
    if (m_nRowCount < 0) TakeCounts(ReadContent(), true, false);
    return m_nRowCount;
}

std::int32_t CIniTable::GetColumnCount() {
    if (m_nColumnCount < 0) TakeCounts(ReadContent(), false, true);
    return m_nColumnCount;
}

void CIniTable::Load() {
    m_rows.clear();
    m_rowsByKey.clear();
    m_nIndexedColumn = 0;
    const std::string content = ReadContent();
    TakeCounts(content, true, true);
    const std::size_t columns = static_cast<std::size_t>(std::max<std::int32_t>(m_nColumnCount, 0));
    if (columns == 0) return;
    // Every row holds at least its fill: more lines than cells allowed is refused at once.
    if (static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n')) > kMaxCells)
        throw TableTooLargeError(m_strPath);

    // A row keeps only the cells its line holds; the padding up to the column count is the
    // repeated fill, never stored, so memory follows the file's bytes.
    std::vector<Row> rows;
    std::size_t cellCount = 0;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        const std::size_t next = end == std::string::npos ? content.size() : end + 1;
        if (end == std::string::npos) end = content.size();
        Row row;
        std::size_t position = start;
        while (row.cells.size() < columns) {
            // Searched within the line only: a table without separators stays linear.
            const void* found = std::memchr(content.data() + position, ';', end - position);
            if (!found) {
                row.fill = CellText(std::string_view(content).substr(position, end - position));
                break;
            }
            const std::size_t semicolon =
                static_cast<std::size_t>(static_cast<const char*>(found) - content.data());
            row.cells.push_back(
                CellText(std::string_view(content).substr(position, semicolon - position)));
            position = semicolon + 1;
        }
        cellCount += row.cells.size() + 1;
        if (cellCount > kMaxCells) throw TableTooLargeError(m_strPath);
        rows.push_back(std::move(row));
        start = next;
    }
    m_rows.swap(rows);
    if (SavedSize(kMaxBytes) > kMaxBytes) {
        m_rows.clear();
        throw TableTooLargeError(m_strPath);
    }
}

bool CIniTable::Locate(std::int32_t row, std::int32_t column, std::size_t& rowIndex,
                       std::size_t& columnIndex) const {
    const std::int64_t columns = std::max<std::int32_t>(m_nColumnCount, 0);
    if (columns == 0) return false;
    // A position of 1 or less is the first cell; a column above the count reaches into
    // the following row.
    const std::int64_t position = (static_cast<std::int64_t>(row) - 1) * columns + column;
    const std::int64_t index = position <= 1 ? 0 : position - 1;
    rowIndex = static_cast<std::size_t>(index / columns);
    columnIndex = static_cast<std::size_t>(index % columns);
    return rowIndex < m_rows.size();
}

std::string_view CIniTable::CellView(std::int32_t row, std::int32_t column) const {
    std::size_t rowIndex = 0, columnIndex = 0;
    if (!Locate(row, column, rowIndex, columnIndex)) return {};
    const Row& cells = m_rows[rowIndex];
    return columnIndex < cells.cells.size() ? cells.cells[columnIndex] : cells.fill;
}

std::string CIniTable::GetCell(std::int32_t row, std::int32_t column) const {
    return std::string(CellView(row, column));
}

void CIniTable::SetCell(std::int32_t row, std::int32_t column, std::string_view value) {
    std::size_t rowIndex = 0, columnIndex = 0;
    if (!Locate(row, column, rowIndex, columnIndex)) return;
    std::string clean(value);
    clean.erase(std::remove_if(clean.begin(), clean.end(),
                               [](char c) { return c == ';' || c == '\r' || c == '\n'; }),
                clean.end());
    Row& cells = m_rows[rowIndex];
    // Choices are stored on every keystroke, mostly unchanged: an equal value costs nothing.
    if (columnIndex < cells.cells.size()) {
        if (cells.cells[columnIndex] == clean) return;
        cells.cells[columnIndex] = std::move(clean);
    } else {
        if (cells.fill == clean) return;
        cells.cells.resize(columnIndex + 1, cells.fill);
        cells.cells[columnIndex] = std::move(clean);
    }
    // The index is rebuilt at its next use; the lists handed out stay alive until then.
    const std::size_t columns = static_cast<std::size_t>(m_nColumnCount);
    if (m_nIndexedColumn > 0 &&
        static_cast<std::size_t>(m_nIndexedColumn - 1) % columns == columnIndex)
        m_nIndexedColumn = 0;
}

bool CIniTable::CellMatches(std::int32_t row, std::int32_t column, std::string_view key) const {
    return EqualsUnquoted(CellView(row, column), key);
}

std::int32_t CIniTable::FindRow(const std::string& key, std::int32_t column,
                                std::int32_t afterRow) {
    const std::int32_t rows = GetRowCount();
    for (std::int32_t r = std::max(afterRow + 1, 1); r <= rows; ++r) {
        if (CellMatches(r, column, key)) return r;
    }
    return -1;
}

const std::vector<std::int32_t>& CIniTable::RowsMatching(std::int32_t column,
                                                         std::string_view key) {
    static const std::vector<std::int32_t> kNone;
    if (column < 1) return kNone;
    if (m_nIndexedColumn != column) {
        m_rowsByKey.clear();
        const std::int32_t rows = GetRowCount();
        for (std::int32_t r = 2; r <= rows; ++r)
            m_rowsByKey[Unquoted(CellView(r, column))].push_back(r);
        m_nIndexedColumn = column;
    }
    const auto found = m_rowsByKey.find(Unquoted(key));
    return found == m_rowsByKey.end() ? kNone : found->second;
}

void CIniTable::Save() {
    WriteFileAtomically(m_strPath, Bytes());
}

std::size_t CIniTable::SavedSize(std::size_t bound) const {
    const std::size_t columns = static_cast<std::size_t>(std::max<std::int32_t>(m_nColumnCount, 0));
    const std::size_t rows = static_cast<std::size_t>(std::max<std::int32_t>(m_nRowCount, 0));
    // Separators and the CRLF of every row, the rows without cells included.
    const std::size_t perRow = (columns > 0 ? columns - 1 : 0) + 2;
    std::size_t size = 0;
    for (std::size_t r = 0; r < rows && size <= bound; ++r) {
        size += perRow;
        if (r >= m_rows.size() || columns == 0) continue;
        const Row& row = m_rows[r];
        for (const std::string& cell : row.cells) size += cell.size();
        size += (columns - row.cells.size()) * row.fill.size();
    }
    return size;
}

std::string CIniTable::Bytes() const {
    const std::size_t columns = static_cast<std::size_t>(std::max<std::int32_t>(m_nColumnCount, 0));
    const std::size_t rows = static_cast<std::size_t>(std::max<std::int32_t>(m_nRowCount, 0));
    std::string out;
    out.reserve(SavedSize(kMaxBytes));
    for (std::size_t r = 0; r < rows; ++r) {
        const Row* row = r < m_rows.size() ? &m_rows[r] : nullptr;
        for (std::size_t c = 0; c < columns; ++c) {
            if (c > 0) out += ';';
            if (row) out += c < row->cells.size() ? row->cells[c] : row->fill;
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace wavepost
