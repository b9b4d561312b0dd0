// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls.h"

#include "form.h"
#include "runtime.h"

namespace rt {

Control::Control(Form& form, const ControlDescription& description)
    : form_(form), description_(description), name_(description.name) {}

bool Control::loaded() const { return form_.loaded(); }

void Control::changed() { form_.runtime().controlChanged(*this); }

Label::Label(Form& form, const ControlDescription& description)
    : Control(form, description), caption_(description.caption) {}

Result<std::string> Label::caption() const {
    if (!loaded())
        return {Status::controlUnloaded, {}};
    return {Status::ok, caption_};
}

Status Label::setCaption(std::string caption) {
    if (!loaded())
        return Status::controlUnloaded;
    caption_ = std::move(caption);
    changed();
    return Status::ok;
}

PictureBox::PictureBox(Form& form, const ControlDescription& description)
    : Control(form, description), backColour_(description.backColour) {}

Result<Colour> PictureBox::backColour() const {
    if (!loaded())
        return {Status::controlUnloaded, 0};
    return {Status::ok, backColour_};
}

Status PictureBox::setBackColour(Colour colour) {
    if (!loaded())
        return Status::controlUnloaded;
    backColour_ = colour;
    changed();
    return Status::ok;
}

CommandButton::CommandButton(Form& form, const ControlDescription& description)
    : Control(form, description), enabled_(description.enabled) {}

Status CommandButton::setEnabled(bool enabled) {
    if (!loaded())
        return Status::controlUnloaded;
    if (enabled_ != enabled) {
        enabled_ = enabled;
        changed();
    }
    return Status::ok;
}

Status CommandButton::press() {
    if (!loaded())
        return Status::controlUnloaded;
    if (click_)
        click_();
    return Status::ok;
}

bool CommandButton::setHandler(std::string_view event, Handler handler) {
    if (event != clickEvent)
        return false;
    click_ = std::move(handler);
    return true;
}

void CommandButton::userClick() {
    if (loaded() && enabled_ && click_)
        click_();
}

Timer::Timer(Form& form, const ControlDescription& description)
    : Control(form, description), enabled_(description.enabled), interval_(description.interval) {
    if (enabled_)
        due_ = form.runtime().now() + interval_;
}

Status Timer::setEnabled(bool enabled) {
    if (!loaded())
        return Status::controlUnloaded;
    if (enabled_ == enabled)
        return Status::ok;
    enabled_ = enabled;
    if (enabled_)
        due_ = form().runtime().now() + interval_;
    form().runtime().scheduleChanged();
    return Status::ok;
}

bool Timer::setHandler(std::string_view event, Handler handler) {
    if (event != timerEvent)
        return false;
    tick_ = std::move(handler);
    return true;
}

void Timer::tick() {
    due_ += interval_;
    if (tick_)
        tick_();
}

} // namespace rt
