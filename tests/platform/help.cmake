# help tests
