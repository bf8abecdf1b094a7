# rules tests
