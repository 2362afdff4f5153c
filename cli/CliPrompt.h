#pragma once

// Questions the command line asks before it does something that cannot be undone.
class CliPrompt {
public:
    // Prints QUESTION and " [y/N] " on standard error and reads one line: true only for "y",
    // "Y", "yes" or "YES"; false at the end of the input.
    static bool askYes(const char* question);
};
