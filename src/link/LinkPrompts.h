#pragma once

#include <string_view>

namespace quilby {

// Message boxes of the link dialogs. The Qt layer shows real ones (caption:
// the application title); tests answer them.
class LinkPrompts {
public:
    enum class Icon : unsigned char { None, Stop };

    virtual ~LinkPrompts() = default;
    // An OK box; returns when it has been closed.
    virtual void showMessage(std::string_view text, Icon icon) = 0;
    // A Yes/No question; true for Yes.
    virtual bool askYesNo(std::string_view text) = 0;
};

} // namespace quilby
