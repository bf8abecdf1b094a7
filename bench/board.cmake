# board benchmarks
