// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "description.h"
#include "status.h"

#include <cstdint>
#include <functional>
#include <string>

namespace rt {

class Form;
using Handler = std::function<void()>;

// A control's state as the runtime keeps it. The window binding mirrors it on
// screen; handlers change it only through these operations, each of which
// fails once the control's form has been unloaded.
class Control {
public:
    Control(Form& form, const ControlDescription& description);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }
    const ControlDescription& description() const { return description_; }
    Form& form() const { return form_; }
    bool loaded() const;

    // Handlers for events this kind of control raises. Returns false for an
    // event the control does not have.
    virtual bool setHandler(std::string_view event, Handler handler) = 0;

protected:
    void changed();

private:
    Form& form_;
    const ControlDescription& description_;
    std::string name_;
};

class Label final : public Control {
public:
    Label(Form& form, const ControlDescription& description);

    Result<std::string> caption() const;
    Status setCaption(std::string caption);
    bool setHandler(std::string_view, Handler) override { return false; }

private:
    std::string caption_;
};

class PictureBox final : public Control {
public:
    PictureBox(Form& form, const ControlDescription& description);

    Result<Colour> backColour() const;
    Status setBackColour(Colour colour);
    bool setHandler(std::string_view, Handler) override { return false; }

private:
    Colour backColour_;
};

class CommandButton final : public Control {
public:
    CommandButton(Form& form, const ControlDescription& description);

    Status setEnabled(bool enabled);
    // A press in code: runs the click handler at once, nested in the caller,
    // whether or not the button is enabled.
    Status press();
    bool setHandler(std::string_view event, Handler handler) override;

    // What the window binding reads to draw the button.
    bool isEnabled() const { return enabled_; }
    // The user's click, which the runtime's dispatcher delivers.
    void userClick();

private:
    bool enabled_;
    Handler click_;
};

class Timer final : public Control {
public:
    Timer(Form& form, const ControlDescription& description);

    // Enabling a stopped timer makes it tick one interval from now. Enabling
    // a running one leaves its schedule alone: a setting that does not change
    // the value changes nothing.
    Status setEnabled(bool enabled);
    bool setHandler(std::string_view event, Handler handler) override;

    int interval() const { return interval_; }
    bool isEnabled() const { return enabled_; }
    // When the next tick is due, on the runtime's clock; only if enabled.
    std::int64_t due() const { return due_; }
    // Runs one tick: moves the next one an interval on, then the handler.
    void tick();
    void stop() { enabled_ = false; }

private:
    bool enabled_;
    int interval_;
    std::int64_t due_ = 0;
    Handler tick_;
};

} // namespace rt
