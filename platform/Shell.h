#pragma once

#include <string>

namespace taktora::platform {

enum class MessageIcon { Information, Exclamation, Critical };

// Messages to the user and the system's URL handler.
class Shell {
public:
    virtual ~Shell() = default;
    // A modal message box owned by the program; returns when the user has closed it.
    virtual void ShowMessage(const std::string& title, const std::string& text, MessageIcon icon) = 0;
    // Opens a web or mail address with the user's default program, without waiting.
    virtual void OpenUrl(const std::string& address) = 0;
};

}  // namespace taktora::platform
