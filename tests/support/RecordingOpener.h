#pragma once
// Records what the desktop would be asked to open (nuv::ShellOpen), for as
// long as it lives, instead of opening anything.

#include "NuvShell.h"

#include <string>
#include <vector>

namespace testsupport {

class RecordingOpener {
public:
    RecordingOpener()
    {
        previous_ = nuv::SetShellOpener([this](const nuv::ShellOpenRequest& request) {
            requests.push_back(request);
            return true;
        });
    }
    ~RecordingOpener() { nuv::SetShellOpener(previous_); }
    RecordingOpener(const RecordingOpener&) = delete;
    RecordingOpener& operator=(const RecordingOpener&) = delete;

    // The web addresses asked for, in order, as sent.
    std::vector<std::string> Addresses() const
    {
        std::vector<std::string> addresses;
        for (const auto& request : requests)
            addresses.push_back(request.address.toEncoded().toStdString());
        return addresses;
    }

    std::vector<nuv::ShellOpenRequest> requests;

private:
    nuv::ShellOpener previous_;
};

} // namespace testsupport
