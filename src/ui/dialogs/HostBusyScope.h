#pragma once

namespace sondex {

class DialogHost;

// Keeps the host's message-busy flag set while a box or dialog is on screen.
// Boxes nest, and callers may have set the flag themselves, so the end
// restores what was there before rather than clearing it; then the main
// window is repainted, as it may have been covered.
class HostBusyScope {
public:
    explicit HostBusyScope(DialogHost& host);
    ~HostBusyScope();

    HostBusyScope(const HostBusyScope&) = delete;
    HostBusyScope& operator=(const HostBusyScope&) = delete;

private:
    DialogHost& host_;
    bool before_;
};

}  // namespace sondex
