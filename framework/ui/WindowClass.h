// Window classes by name. A dialog built from a description can hold a
// control by its class name ("ZLC_TIMESLOT", ...); the class's factory
// creates the control object when such a window is created. Libraries
// register their classes when they load and unregister them when they go.
#pragma once

#include <functional>
#include <string>
#include <vector>

class wxWindow;

using WindowFactory = std::function<wxWindow*(wxWindow* p_parent, int i_id)>;

namespace WindowClasses {
// False when the name is taken already.
bool Register(const std::string& s_name, WindowFactory f_create);
// False when the name was not registered.
bool Unregister(const std::string& s_name);
bool IsRegistered(const std::string& s_name);
// The names in the order they were registered.
std::vector<std::string> Names();
// A new window of the class, or null for an unknown name.
wxWindow* Create(const std::string& s_name, wxWindow* p_parent, int i_id);
} // namespace WindowClasses
