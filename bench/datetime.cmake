# Benchmarks of date-time conversion (none yet).
