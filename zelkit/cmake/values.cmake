# Sources and tests of the library's values (none yet).
