# Sources and tests of the library's window services (none yet).
