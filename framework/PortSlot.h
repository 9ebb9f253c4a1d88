// The slot behind a port's Get and Set: the port installed, or its quiet
// stand-in when none is.
#pragma once

#include <type_traits>

template <class Port, class Quiet>
struct PortSlot {
    Quiet quiet;
    Port* pPort = &quiet;

    // Installs p_port (the stand-in for nullptr); returns the port it replaced.
    Port* Set(Port* p_port)
    {
        Port* p_old = pPort;
        pPort = p_port ? p_port : &quiet;
        return p_old;
    }
};

// Puts a port's stand-in back if `ours` is still the port installed; a port
// installed over it since (a test's scripted one) stays where it is.
template <class Port>
void RemovePortIfOurs(Port& (*get)(), Port* (*set)(Port*), std::type_identity_t<Port>& ours)
{
    if (&get() == &ours)
        set(nullptr);
}
