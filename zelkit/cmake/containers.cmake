# Sources and tests of the library's containers (none yet).
