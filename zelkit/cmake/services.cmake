# Sources and tests of the library's services (none yet).
