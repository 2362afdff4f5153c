#include "ToolOutput.h"

#include "DeviceTools.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

namespace diskutil {

int ToolOutput::run(const std::vector<std::string>& argv, std::string& output) {
    output.clear();
    if (argv.empty())
        return -1;
    if (!DeviceTools::haveTool(argv[0]))
        return 127;
    std::ostringstream said;
    const int status = DeviceTools::runTool(argv, said);
    output = said.str();
    return status;
}

unsigned long long ToolOutput::jsonNumber(const std::string& json, const std::string& key,
                                          unsigned long long fallback) {
    const std::string quoted = "\"" + key + "\"";
    for (std::size_t at = json.find(quoted); at != std::string::npos;
         at = json.find(quoted, at + 1)) {
        std::size_t i = at + quoted.size();
        while (i < json.size() && std::isspace(static_cast<unsigned char>(json[i])))
            ++i;
        if (i >= json.size() || json[i] != ':')
            continue;
        ++i;
        while (i < json.size() && std::isspace(static_cast<unsigned char>(json[i])))
            ++i;
        if (i < json.size() && std::isdigit(static_cast<unsigned char>(json[i])))
            return std::strtoull(json.c_str() + i, nullptr, 10);
    }
    return fallback;
}

bool ToolOutput::numberAfter(const std::string& output, const std::string& label,
                             unsigned long long& value, std::size_t from) {
    const std::size_t at = output.find(label, from);
    if (at == std::string::npos)
        return false;
    std::size_t i = at + label.size();
    while (i < output.size() && (output[i] == ' ' || output[i] == '\t'))
        ++i;
    if (i >= output.size() || !std::isdigit(static_cast<unsigned char>(output[i])))
        return false;
    value = std::strtoull(output.c_str() + i, nullptr, 0);
    return true;
}

std::string ToolOutput::lastLine(const std::string& output) {
    std::string kept = output;
    while (!kept.empty() && (kept.back() == '\n' || kept.back() == ' '))
        kept.pop_back();
    const std::size_t newline = kept.rfind('\n');
    return newline == std::string::npos ? kept : kept.substr(newline + 1);
}

} // namespace diskutil
