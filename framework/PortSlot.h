// The slot behind a port's Get and Set: the port installed, or its quiet
// stand-in when none is.
#pragma once

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
