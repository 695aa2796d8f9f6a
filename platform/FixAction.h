#pragma once
// What a failed row's link does: start a program, open a page or settings URI through its
// default handler, run the checks again, or nothing. Portable; no Windows here.
#include <string>

namespace platform {

struct FixAction {
    enum class Kind { None, CheckAgain, Program, Page };
    Kind kind = Kind::None;
    std::string label;       // the link's text, UTF-8: "Open Internet Options…"
    std::string name;        // what it opens, for the words of a failed start: "Internet Options"
    std::string target;      // Program: its full path (system code page); Page: the URL or URI
    std::string parameters;  // Program: its arguments; may be empty
    // Program: the target lies in the 64-bit System32 of 64-bit Windows and this is a 32-bit
    // process, for which that folder's name is redirected to SysWOW64; the start turns the
    // redirection off for itself.
    bool nativeSystemFolder = false;

    // The command as the reports give it: the program's path and its arguments, or the address;
    // empty when nothing is started.
    std::string Command() const {
        if (kind != Kind::Program && kind != Kind::Page) return {};
        return parameters.empty() ? target : target + " " + parameters;
    }
};

}  // namespace platform
