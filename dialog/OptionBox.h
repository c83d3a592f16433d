#pragma once

#include <functional>
#include <string>

namespace taktora {

// A check box of the settings dialog as a model: the live state of one option while the program runs.
// Setting the value from code runs the click action exactly when the value changes, as a user click does.
class OptionBox {
public:
    static constexpr int kUnchecked = 0;
    static constexpr int kChecked = 1;
    static constexpr int kGreyed = 2;

    OptionBox(std::string caption, std::string toolTip) : caption_(std::move(caption)), toolTip_(std::move(toolTip)) {}

    int Value() const { return value_; }
    // Checked or greyed, as the option is stored.
    bool Checked() const { return value_ != kUnchecked; }
    bool Enabled() const { return enabled_; }
    const std::string& Caption() const { return caption_; }
    const std::string& ToolTip() const { return toolTip_; }

    void SetValue(int value);
    void SetChecked(bool checked) { SetValue(checked ? kChecked : kUnchecked); }
    void Toggle() { SetChecked(value_ == kUnchecked); }
    void SetEnabled(bool enabled);

    void OnClick(std::function<void()> action) { action_ = std::move(action); }
    // The real dialog's control listens here to mirror the model.
    void OnChange(std::function<void()> observer) { observer_ = std::move(observer); }

private:
    std::string caption_;
    std::string toolTip_;
    int value_ = kUnchecked;
    bool enabled_ = true;
    std::function<void()> action_;
    std::function<void()> observer_;
};

}  // namespace taktora
