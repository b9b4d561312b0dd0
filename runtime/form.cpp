// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form.h"

#include "runtime.h"

namespace rt {
namespace {

std::unique_ptr<Control> makeControl(Form& form, const ControlDescription& description) {
    switch (description.kind) {
    case ControlKind::pushButton:
    case ControlKind::graphicalButton:
        return std::make_unique<CommandButton>(form, description);
    case ControlKind::label:
        return std::make_unique<Label>(form, description);
    case ControlKind::pictureBox:
        return std::make_unique<PictureBox>(form, description);
    case ControlKind::timer:
        return std::make_unique<Timer>(form, description);
    }
    throw DescriptionError("control " + std::string(description.name) + " has an unknown kind");
}

} // namespace

Form::Form(Runtime& runtime, const FormDescription& description)
    : runtime_(runtime), description_(description), name_(description.name) {
    for (const ControlDescription& control : description.controls) {
        if (find(control.name))
            throw DescriptionError("form " + name_ + " lists control " + std::string(control.name) +
                                   " twice");
        controls_.push_back(makeControl(*this, control));
    }
}

Control* Form::find(std::string_view name) const {
    for (const auto& control : controls_)
        if (control->name() == name)
            return control.get();
    return nullptr;
}

void Form::bindEvents(const HandlerTable& handlers) {
    for (const EventBinding& binding : description_.bindings) {
        auto fail = [&](const std::string& why) {
            throw DescriptionError("cannot bind event " + std::string(binding.event) + " of " +
                                   std::string(binding.control) + " to handler " +
                                   std::string(binding.handler) + ": " + why);
        };
        auto handler = handlers.find(binding.handler);
        if (handler == handlers.end())
            fail("the form's code has no handler of that name");
        if (binding.control == name_) {
            if (binding.event != loadEvent)
                fail("a form has no such event");
            load_ = handler->second;
            continue;
        }
        Control* control = find(binding.control);
        if (!control)
            fail("the form has no control of that name");
        if (!control->setHandler(binding.event, handler->second))
            fail("that control has no such event");
    }
}

Status Form::unload() {
    if (!loaded_)
        return Status::ok;
    loaded_ = false;
    for (const auto& control : controls_)
        if (auto* timer = dynamic_cast<Timer*>(control.get()))
            timer->stop();
    runtime_.formUnloaded(*this);
    return Status::ok;
}

void Form::runLoad() {
    if (load_)
        load_();
}

} // namespace rt
