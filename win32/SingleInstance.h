#pragma once

#include <windows.h>

#include <string>

#include "win32/Handles.h"

namespace taktora::platform::win32 {

// Asks a running copy to show its main window in front; the main window of the copy that holds the profile answers.
UINT ShowInstanceMessage();

// One running copy per settings profile in the session: two copies of one profile would each store their changes
// over the other's. The profile stays claimed while this object lives.
class SingleInstance {
public:
    // The name is the profile's instance name, which its main window carries as its title.
    explicit SingleInstance(std::wstring name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False while another copy runs the profile.
    bool Claimed() const { return claimed_; }
    // Has the copy that runs the profile show its main window in front.
    void ShowRunning() const;

private:
    HWND RunningWindow() const;

    std::wstring name_;
    KernelHandle mutex_;
    bool owned_ = false;
    bool claimed_ = false;
};

}  // namespace taktora::platform::win32
