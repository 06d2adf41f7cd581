// The addresses of the address file as the window sets them: the placeholders the
// shipped file holds, and the rewriting of values whatever their length.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace wavepost {

// The key of the sailor's own address, the From: of message files; optional.
inline constexpr const char* kSenderKey = "expediteur";

// True for an address whose domain is, or ends in, the reserved top-level domain
// ".invalid" (RFC 2606: it can never exist): the shipped file's placeholders, which must
// be set before any order leaves.
bool IsPlaceholderAddress(const std::string& address);

// The address file's bytes with each key's value replaced, every other byte kept: the
// value of a key's entry (found as reading finds it) runs from after its one separator
// to the line end; a key without a separator gets '='; a key absent from the file is
// added as a last line "key=value", ended as the file's lines are.
std::string WithConfigValues(std::string content,
                             const std::vector<std::pair<std::string, std::string>>& values);

// Rewrites the file with those values, whole or not at all; a link stays a link. Throws
// FileError naming the file when it cannot be read or written.
void WriteConfigValues(const std::string& path,
                       const std::vector<std::pair<std::string, std::string>>& values);

}  // namespace wavepost
