#include "dialog/OptionBox.h"

namespace taktora {

void OptionBox::SetValue(int value) {
    if (value == value_) {
        return;
    }
    value_ = value;
    if (observer_) {
        observer_();
    }
    if (action_) {
        action_();
    }
}

void OptionBox::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    if (observer_) {
        observer_();
    }
}

}  // namespace taktora
