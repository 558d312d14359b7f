#pragma once

#include <string>
#include <vector>

namespace rimo {

// A command of the schedule and the countdown timer: a program path in double
// quotes, optionally followed by a blank and parameters.
struct CommandLine {
    std::string Program;
    std::string Parameters;             // all the text after the program's `" `
    std::vector<std::string> Arguments; // Parameters split into words
    std::string Folder;                 // the program's folder ("/" stays "/")
};

// Splits a command: the first character (the opening quote) is dropped; the
// program is the text up to the first `" ` (or all but the closing quote when
// there is none), the parameters all the text after it, split into words as a
// command line is. UTF-8 characters are never cut.
CommandLine SplitCommandLine(const std::string& command);

// Parameters into words, never through a shell: blanks separate words, double
// quotes group them (and are removed), three quotes in a row stand for one
// literal quote. Shell characters (; | & $ ` ~ > <) are plain text.
std::vector<std::string> SplitParameters(const std::string& parameters);

} // namespace rimo
