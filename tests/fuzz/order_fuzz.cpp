// SPDX-License-Identifier: GPL-3.0-or-later
// "Envoi" over fuzzed catalogue tables, option values and address file, through the
// in-memory toolkit: the order is well formed and every mail URL has one recipient and the
// fields the program put in, whatever the files hold.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/CMarlockDlg.h"
#include "app/MailAddress.h"
#include "app/layout/ResourceIds.h"
#include "app/layout/StringTable.h"
#include "platform/memory/MemoryToolkit.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace wavepost;

namespace {

// The files an input replaces, in order; its parts are separated by NUL bytes, and the
// files it has no part for are the shipped ones.
const char* const kFuzzedFiles[] = {"init.cnf", "ini/bulletins.txt", "ini/soft.txt",
                                    "ini/parametres.txt", "ini/options.txt"};

void CheckOrderText(const std::string& text) {
    if (text.empty() || text == LoadString(IDS_NO_MESH) || text == LoadString(IDS_NO_ORDER_KIND))
        return;
    // A day count that is no positive number is refused with a sentence naming it.
    const std::string badDays = LoadString(IDS_BAD_DAYS);
    if (text.rfind(badDays.substr(0, badDays.find("%s")), 0) == 0) return;
    FUZZ_CHECK(text.rfind("@mto@reqt@grib@%0A", 0) == 0);
    FUZZ_CHECK(text.size() >= 14 && text.compare(text.size() - 14, 14, "@mto@reqt@fin@") == 0);
    FUZZ_CHECK(text.find_first_of("\r\n") == std::string::npos);
    for (const char* word : {"inf", "nan", "INF", "NAN"}) {
        // A number line never carries them (codes may, as words of their own).
        for (const char* line : {"%0AZ%20", "%0AV%20", "%0AM%20"}) {
            const std::size_t at = text.find(line);
            if (at == std::string::npos) continue;
            const std::size_t end = text.find("%0A", at + 3);
            FUZZ_CHECK(text.substr(at, end - at).find(word) == std::string::npos);
        }
    }
}

void CheckMailUrl(const std::string& url) {
    FUZZ_CHECK(url.rfind("mailto:", 0) == 0);
    // Plain ASCII without blanks: nothing for the toolkit to encode again.
    for (unsigned char c : url) FUZZ_CHECK(c > 0x20 && c < 0x7F);
    FUZZ_CHECK(url.find('#') == std::string::npos);
    const std::size_t query = url.find('?');
    // One plain address, as the mail program decodes it: nothing that separates recipients.
    std::string recipient;
    for (std::size_t i = 7; i < std::min(query, url.size()); ++i) {
        if (url[i] == '%' && i + 2 < url.size()) {
            recipient += static_cast<char>(std::stoi(url.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            recipient += url[i];
        }
    }
    // A missing key still gives a mail, after its message, for the user to address by hand.
    if (recipient.empty() || recipient == LoadString(IDS_CONFIG_ERROR)) return;
    FUZZ_CHECK(IsPlainAddress(recipient));
    if (query == std::string::npos) return;
    std::vector<std::string> fields;
    for (std::size_t from = query + 1;;) {
        const std::size_t amp = url.find('&', from);
        fields.push_back(url.substr(from, amp - from));
        if (amp == std::string::npos) break;
        from = amp + 1;
    }
    // The program's own fields, and no other.
    const bool grib = fields.size() == 2 && fields[0] == "subject=Grib" &&
                      fields[1].rfind("body=@mto@reqt@grib@%0A", 0) == 0;
    const bool bulletin = fields.size() == 2 && fields[1] == "subject=Bulletin" &&
                          fields[0].rfind("body=@mto@reqt@bull@%0A", 0) == 0;
    const bool question = fields.size() == 1 && fields[0] == "subject=Help";
    FUZZ_CHECK(grib || bulletin || question);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool seeded = [] {
        fuzz::Scratch();
        std::filesystem::copy(std::filesystem::path(WAVEPOST_SOURCE_DIR) / "data", ".",
                              std::filesystem::copy_options::recursive |
                                  std::filesystem::copy_options::overwrite_existing);
        return true;
    }();
    (void)seeded;
    static std::vector<std::string> shipped;
    if (shipped.empty())
        for (const char* file : kFuzzedFiles)
            shipped.push_back(fuzz::Read(std::string(WAVEPOST_SOURCE_DIR) + "/data/" + file));
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t from = 0;
    for (std::size_t i = 0; i < std::size(kFuzzedFiles); ++i) {
        std::string part = shipped[i];
        if (from <= input.size()) {
            const std::size_t end = input.find('\0', from);
            part = input.substr(from, end - from);
            from = end == std::string::npos ? input.size() + 1 : end + 1;
        }
        fuzz::Write(kFuzzedFiles[i], part);
    }

    platform::MemoryToolkit tk;
    CMarlockDlg dlg(tk);
    try {
        tk.RunModal(dlg);
    } catch (const platform::ProcessExit&) {
        return 0;  // no address file: the start ends with its message
    }
    CheckOrderText(dlg.BuildGribRequest());
    tk.Click(IDC_SEND_BUTTON);      // "Envoi"
    tk.Click(IDC_QUESTION_BUTTON);  // "Posez vos questions"
    for (const auto& [target, show] : tk.opened) CheckMailUrl(target);
    return 0;
}
