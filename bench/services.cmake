# Benchmarks of the library services (none yet).
