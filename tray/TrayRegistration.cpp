#include "tray/TrayRegistration.h"

#include "tray/IconSlot.h"

namespace taktora::render {

void TrayRegistration::Show(const Image& picture, const std::string& tip) {
    if (shown_) {
        return;
    }
    shown_ = true;
    confirmed_ = false;
    picture_ = picture;
    tip_ = tip;
    Send();
}

void TrayRegistration::Hide() {
    if (!shown_) {
        return;
    }
    shown_ = false;
    // Also after a refused Add: the shell may have taken the icon after all.
    tray_.Delete();
}

void TrayRegistration::Update(const Image& picture, const std::string& tip) {
    if (!shown_ || (confirmed_ && tip == tip_ && picture == picture_)) {
        return;
    }
    picture_ = picture;
    tip_ = tip;
    Send();
}

void TrayRegistration::Recreated() {
    if (!shown_) {
        return;
    }
    confirmed_ = false;
    Send();
}

void TrayRegistration::Send() {
    if (confirmed_) {
        confirmed_ = tray_.Modify(picture_, tip_);
        return;
    }
    // A busy shell (at logon above all) can time out an Add and still take the icon; it then refuses every further
    // Add, so a refused Add is followed by a Modify, which succeeds exactly when the icon is there.
    confirmed_ = tray_.Add(picture_, tip_) || tray_.Modify(picture_, tip_);
}

}  // namespace taktora::render
