// SPDX-FileCopyrightText: 2026 The Tavelquin developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls.h"
#include "description.h"
#include "error.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

class Runtime;

// Handler names and the handlers they stand for, as a form's code offers them.
using HandlerTable = std::map<std::string, Handler, std::less<>>;

// A form and the controls the runtime built for it from its description, in
// the order the description lists them.
class Form {
public:
    Form(Runtime& runtime, const FormDescription& description);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const FormDescription& description() const { return description_; }
    const std::string& name() const { return name_; }
    Runtime& runtime() const { return runtime_; }
    bool loaded() const { return loaded_; }
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

    // The control of that name and type; a DescriptionError if there is none.
    template <class T> T& control(std::string_view name) const {
        if (auto* found = dynamic_cast<T*>(find(name)))
            return *found;
        throw DescriptionError("form " + name_ + " has no control " + std::string(name) +
                               " of the kind its code expects");
    }
    Control* find(std::string_view name) const;

    // Connects every event binding of the description to a handler of the
    // table. A binding whose control, event or handler is unknown is a
    // DescriptionError that names all three.
    void bindEvents(const HandlerTable& handlers);

    // Destroys the form: its timers stop and its controls fail every
    // operation from now on. The program ends when no form is left.
    Status unload();

    // Used by the runtime.
    void runLoad();

private:
    Runtime& runtime_;
    const FormDescription& description_;
    std::string name_;
    std::vector<std::unique_ptr<Control>> controls_;
    Handler load_;
    bool loaded_ = true;
};

} // namespace rt
