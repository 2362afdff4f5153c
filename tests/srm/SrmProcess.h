#pragma once

#include <string>
#include <vector>

namespace srmtest {

struct SrmResult {
    int status = -1; // exit status; -1 when killed or not started
    bool timedOut = false;
    std::string out;
    std::string err;
};

// Runs the built srm with ARGS and waits at most TIMEOUTSECONDS (then kills it).
SrmResult runSrm(const std::vector<std::string>& args, int timeoutSeconds = 60);
// The same with INPUT on its standard input.
SrmResult runSrmWithInput(const std::vector<std::string>& args, const std::string& input,
                          int timeoutSeconds = 60);

// A fresh folder from mkdtemp, removed with everything in it at the end of the scope.
class TempFolder {
public:
    explicit TempFolder(const std::string& under = "/tmp");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void writeFile(const std::string& path, const std::string& data);
std::string readFile(const std::string& path);
bool exists(const std::string& path); // without following a final link

// A record of the batch mode: the option word, the anchor and the path below it.
struct BatchRecord {
    std::string word, anchor, relative;
};
// The batch mode's standard input for RECORDS (each field ended by NUL).
std::string batchInput(const std::vector<BatchRecord>& records);
// The batch mode's result lines, each split into its tab-separated fields.
std::vector<std::vector<std::string>> resultLines(const std::string& out);

} // namespace srmtest
