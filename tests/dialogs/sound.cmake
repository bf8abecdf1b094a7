# sound tests
