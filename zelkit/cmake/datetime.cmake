# Sources and tests of the library's datetime (none yet).
