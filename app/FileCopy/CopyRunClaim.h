#pragma once

#include <string>

// Tells other copies that a copy run is alive for as long as this object lives, so that its
// partial files are not taken for a stopped copy's leftovers and removed under it. The claim is
// an abstract unix socket named after the run: it lives in no folder and the kernel releases it
// when the process ends, however it ends (kill -9 included), so it can never be left behind.
class CopyRunClaim {
public:
    explicit CopyRunClaim(const std::string& runId);
    ~CopyRunClaim();
    CopyRunClaim(const CopyRunClaim&) = delete;
    CopyRunClaim& operator=(const CopyRunClaim&) = delete;

    bool held() const { return m_fd >= 0; }

    // Whether a live process holds the claim of RUNID. When sockets cannot be had at all, no run
    // can be told alive, and none is.
    static bool isRunning(const std::string& runId);

private:
    int m_fd = -1;
};
